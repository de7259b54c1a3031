#pragma once
// The sizes of the two BMP headers every reader and writer of the format
// counts with: the file header (BITMAPFILEHEADER) and the 40-byte info
// header (BITMAPINFOHEADER).

#include <cstdint>

namespace logo {

constexpr std::uint32_t kBmpFileHeaderSize = 14;
constexpr std::uint32_t kBmpInfoHeaderSize = 40;

}  // namespace logo
