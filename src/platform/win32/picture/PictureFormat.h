#pragma once
// What a file is, from its first bytes: a name is not trusted (a logo named
// .sys is a BMP), and formats we do not read are named in the refusal.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::win32 {

enum class PictureFormat { Unknown, Png, Jpeg, Gif, Bmp, Webp, Tiff };

PictureFormat SniffPictureFormat(const std::uint8_t* data, std::size_t size);

// "PNG", "JPEG", ...; empty for Unknown.
std::string PictureFormatName(PictureFormat format);

// True for the formats this decoder reads.
bool IsReadableFormat(PictureFormat format);

}  // namespace platform::win32
