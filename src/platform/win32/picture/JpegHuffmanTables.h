#pragma once
// Whether every Huffman table of a JPEG holds at most 256 codes. stb_image
// builds its tables into fixed arrays of 257 entries without checking the
// counts a file claims, so a table claiming more writes past them; such a
// file is refused before stb_image sees it.

#include <cstddef>
#include <cstdint>

namespace platform::win32 {

// False when a DHT segment has a table claiming more than 256 codes.
// Everything else is left for the decoder to judge.
bool JpegHuffmanTablesFit(const std::uint8_t* data, std::size_t size);

}  // namespace platform::win32
