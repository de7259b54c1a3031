#include "platform/win32/picture/PictureFormat.h"

#include <array>
#include <cstring>
#include <string_view>

namespace platform::win32 {

namespace {

struct Signature {
    PictureFormat format;
    std::size_t offset;
    std::string_view bytes;
};

// Byte patterns at the start of each format ("RIFF" is followed by a size,
// then the kind of RIFF file).
constexpr std::array<Signature, 9> kSignatures{{
    {PictureFormat::Png, 0, std::string_view("\x89PNG\r\n\x1a\n", 8)},
    {PictureFormat::Jpeg, 0, std::string_view("\xff\xd8\xff", 3)},
    {PictureFormat::Gif, 0, "GIF87a"},
    {PictureFormat::Gif, 0, "GIF89a"},
    {PictureFormat::Bmp, 0, "BM"},
    {PictureFormat::Webp, 8, "WEBP"},
    {PictureFormat::Tiff, 0, std::string_view("II*\0", 4)},
    {PictureFormat::Tiff, 0, std::string_view("MM\0*", 4)},
    {PictureFormat::Tiff, 0, std::string_view("II+\0", 4)},  // BigTIFF
}};

bool Matches(const std::uint8_t* data, std::size_t size, const Signature& signature)
{
    if (size < signature.offset || size - signature.offset < signature.bytes.size())
        return false;
    if (signature.format == PictureFormat::Webp && std::memcmp(data, "RIFF", 4) != 0)
        return false;
    return std::memcmp(data + signature.offset, signature.bytes.data(), signature.bytes.size()) == 0;
}

}  // namespace

PictureFormat SniffPictureFormat(const std::uint8_t* data, std::size_t size)
{
    if (data == nullptr)
        return PictureFormat::Unknown;
    for (const Signature& signature : kSignatures) {
        if (Matches(data, size, signature))
            return signature.format;
    }
    return PictureFormat::Unknown;
}

std::string PictureFormatName(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Png: return "PNG";
    case PictureFormat::Jpeg: return "JPEG";
    case PictureFormat::Gif: return "GIF";
    case PictureFormat::Bmp: return "BMP";
    case PictureFormat::Webp: return "WebP";
    case PictureFormat::Tiff: return "TIFF";
    case PictureFormat::Unknown: break;
    }
    return {};
}

bool IsReadableFormat(PictureFormat format)
{
    return format == PictureFormat::Png || format == PictureFormat::Jpeg || format == PictureFormat::Gif
        || format == PictureFormat::Bmp;
}

}  // namespace platform::win32
