// Pictures decoded by Windows itself where it has a decoder (JPEG, GIF's
// first frame), by stb_image where it has none (PNG, BMP of 16 bits and
// more), by the project's own DIB decoder for indexed BMPs and the variants
// stb refuses (RLE, some OS/2 headers). Embedded colour profiles are not
// applied: the values are taken as sRGB, which is what nearly every picture
// holds.

#include "platform/ui/PictureDecoder.h"

#include "logo/BmpReader.h"
#include "platform/win32/picture/DecodeFailure.h"
#include "platform/win32/picture/ClaimedSize.h"
#include "platform/win32/picture/ExifOrientation.h"
#include "platform/win32/picture/OlePicture.h"
#include "platform/win32/picture/PictureFormat.h"
#include "platform/win32/picture/StbImageConfig.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <utility>

namespace platform {

namespace {

using win32::DecodeFailure;
using win32::PictureFormat;

constexpr int kRgbaChannels = 4;

bool Exceeds(std::uint64_t width, std::uint64_t height, std::uint64_t maxPixels)
{
    return width != 0 && height > maxPixels / width;
}

// A PNG's size from its header chunk, read here because stb refuses a
// header beyond its own limit with no size to report.
//   0  signature (8 bytes)
//   8  chunk length, 12 chunk type "IHDR"
//   16 width, 20 height (big-endian)
std::optional<std::pair<std::uint64_t, std::uint64_t>> PngHeaderSize(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kTypeOffset = 12;
    constexpr std::size_t kWidthOffset = 16;
    constexpr std::size_t kHeightOffset = 20;
    if (size < kHeightOffset + 4 || std::memcmp(data + kTypeOffset, "IHDR", 4) != 0)
        return std::nullopt;
    const auto bigEndian32 = [data](std::size_t at) {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = (value << 8) | data[at + i];
        return value;
    };
    const std::uint64_t width = bigEndian32(kWidthOffset);
    const std::uint64_t height = bigEndian32(kHeightOffset);
    return std::make_pair(width, height);
}

std::uint32_t LittleEndian(const std::uint8_t* at, std::size_t bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = bytes; i > 0; --i)
        value = (value << 8) | at[i - 1];
    return value;
}

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

DecodedPicture NotAPicture()
{
    return DecodeFailure(PictureError::Unsupported,
                         "the file is not a picture in a format Lumivane reads (PNG, JPEG, GIF or BMP)");
}

DecodedPicture UnreadFormat(PictureFormat format)
{
    return DecodeFailure(PictureError::Unsupported, "the file is a " + win32::PictureFormatName(format)
                                                        + " picture, which this build of Lumivane does not read"
                                                          " (it reads PNG, JPEG, GIF and BMP)");
}

// stb's short failure reasons sorted into our kinds.
DecodedPicture StbFailure(PictureFormat format)
{
    const char* why = stbi_failure_reason();
    const std::string reason = why != nullptr ? why : "";
    if (reason == "outofmem")
        return win32::OutOfMemoryFailure();
    if (reason == "too large")
        return DecodeFailure(PictureError::TooLarge, "the picture is too large to decode");
    if (reason == "only 8-bit" || reason == "1/2/4/8/16-bit only" || reason == "no header height")
        return DecodeFailure(PictureError::Unsupported, "this kind of " + win32::PictureFormatName(format)
                                                            + " picture is not one Lumivane reads (" + reason + ")");
    return win32::DamagedFailure(format);
}

PictureError FromLoadError(logo::LoadErrorKind kind)
{
    switch (kind) {
    case logo::LoadErrorKind::Io: return PictureError::Unreadable;
    case logo::LoadErrorKind::Unsupported: return PictureError::Unsupported;
    case logo::LoadErrorKind::TooLarge: return PictureError::TooLarge;
    case logo::LoadErrorKind::Truncated:
    case logo::LoadErrorKind::Malformed: break;
    }
    return PictureError::Malformed;
}

logo::RgbaImage FromPicture(const logo::Picture& picture)
{
    logo::RgbaImage rgba;
    rgba.width = picture.width;
    rgba.height = picture.height;
    rgba.rgba.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * kRgbaChannels);
    std::uint8_t* out = rgba.rgba.data();
    for (std::int32_t y = 0; y < picture.height; ++y) {
        for (std::int32_t x = 0; x < picture.width; ++x) {
            const logo::RgbQuad colour = picture.ColorAt(x, y);
            *out++ = colour.red;
            *out++ = colour.green;
            *out++ = colour.blue;
            *out++ = 0xFF;  // a BMP's fourth byte is seldom an alpha
        }
    }
    return rgba;
}

// The DIB decoder, for the BMPs stb turns down.
DecodedPicture DecodeWithDibReader(const std::uint8_t* data, std::size_t size, std::uint64_t maxPixels)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const logo::HeaderResult header =
        logo::ReadBmpHeader(bytes.first(std::min(size, logo::kHeaderBytes)), static_cast<std::uint64_t>(size));
    if (!header)
        return DecodeFailure(FromLoadError(header.error.kind), "the BMP picture cannot be read: " + header.error.reason);
    const auto width = static_cast<std::uint64_t>(header.header->width);
    const auto height = static_cast<std::uint64_t>(header.header->height);
    if (Exceeds(width, height, maxPixels))
        return win32::TooLargeFailure(width, height, maxPixels);
    const logo::LoadResult loaded = logo::DecodeBmp(bytes);
    if (!loaded)
        return DecodeFailure(FromLoadError(loaded.error.kind), "the BMP picture cannot be read: " + loaded.error.reason);
    DecodedPicture decoded;
    decoded.picture = FromPicture(*loaded.picture);
    return decoded;
}

// Whether a BMP's pixels are indices into a colour table. stb_image leaves
// the entries a short table lacks unwritten, so its pictures would take
// whatever the stack held; the DIB decoder gives those indices black.
//   14 header size (4); 12-byte headers: 24 bit count (2); others: 28
bool IsIndexedBmp(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kHeaderSizeAt = 14;
    constexpr std::uint32_t kCoreHeaderSize = 12;
    constexpr std::uint32_t kFirstDirectBitCount = 16;
    if (size < kHeaderSizeAt + 4)
        return false;
    const std::uint32_t headerSize = LittleEndian(data + kHeaderSizeAt, 4);
    const std::size_t bitCountAt = headerSize == kCoreHeaderSize ? 24 : 28;
    return size >= bitCountAt + 2 && LittleEndian(data + bitCountAt, 2) < kFirstDirectBitCount;
}

DecodedPicture DecodeWithStb(const std::uint8_t* data, std::size_t size, std::uint64_t maxPixels,
                             PictureFormat format)
{
    const int length = static_cast<int>(size);
    int width = 0;
    int height = 0;
    int channels = 0;
    // The header's size, before any pixel is allocated.
    if (stbi_info_from_memory(data, length, &width, &height, &channels) == 0) {
        if (format == PictureFormat::Bmp)
            return DecodeWithDibReader(data, size, maxPixels);
        if (format == PictureFormat::Png) {
            const auto claimed = PngHeaderSize(data, size);
            if (claimed && Exceeds(claimed->first, claimed->second, maxPixels))
                return win32::TooLargeFailure(claimed->first, claimed->second, maxPixels);
        }
        return StbFailure(format);
    }
    if (width <= 0 || height <= 0)
        return win32::DamagedFailure(format);
    if (Exceeds(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height), maxPixels))
        return win32::TooLargeFailure(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height), maxPixels);

    int decodedWidth = 0;
    int decodedHeight = 0;
    const std::unique_ptr<stbi_uc, StbFree> pixels(
        stbi_load_from_memory(data, length, &decodedWidth, &decodedHeight, &channels, kRgbaChannels));
    if (!pixels) {
        if (format == PictureFormat::Bmp)
            return DecodeWithDibReader(data, size, maxPixels);
        return StbFailure(format);
    }
    // The decoded size is what the header said; checked again all the same,
    // since every byte copied below depends on it.
    if (decodedWidth != width || decodedHeight != height)
        return win32::DamagedFailure(format);

    DecodedPicture decoded;
    logo::RgbaImage& picture = decoded.picture.emplace();
    picture.width = width;
    picture.height = height;
    picture.rgba.assign(pixels.get(), pixels.get() + static_cast<std::size_t>(width) * static_cast<std::size_t>(height)
                                                         * kRgbaChannels);
    return decoded;
}

// JPEG and GIF go to the system's decoder, but only once their headers
// have been read here: the size they claim within the cap, the picture
// that comes back no larger than that, the EXIF turn taken from the bytes.
DecodedPicture DecodeWithSystem(const std::uint8_t* data, std::size_t size, std::uint64_t maxPixels,
                                PictureFormat format)
{
    const std::optional<win32::PictureSize> claimed =
        format == PictureFormat::Jpeg ? win32::JpegClaimedSize(data, size) : win32::GifClaimedSize(data, size);
    if (!claimed || claimed->width == 0 || claimed->height == 0)
        return win32::DamagedFailure(format);
    if (Exceeds(claimed->width, claimed->height, maxPixels))
        return win32::TooLargeFailure(claimed->width, claimed->height, maxPixels);
    const int orientation = format == PictureFormat::Jpeg ? win32::JpegExifOrientation(data, size) : 1;

    DecodedPicture decoded = win32::DecodeWithOlePicture(data, size, format);
    if (!decoded)
        return decoded;
    logo::RgbaImage& picture = *decoded.picture;
    if (!picture.IsWellFormed() || static_cast<std::uint32_t>(picture.width) > claimed->width
        || static_cast<std::uint32_t>(picture.height) > claimed->height)
        return win32::DamagedFailure(format);
    win32::ApplyExifOrientation(picture, orientation);
    return decoded;
}

}  // namespace

DecodedPicture DecodePictureData(const std::uint8_t* data, std::size_t size, std::uint64_t maxPixels)
{
    if (size > static_cast<std::size_t>(INT_MAX))
        return DecodeFailure(PictureError::TooLarge, "the file is too large to be a picture Lumivane reads");
    const PictureFormat format = win32::SniffPictureFormat(data, size);
    if (format == PictureFormat::Unknown)
        return NotAPicture();
    if (!win32::IsReadableFormat(format))
        return UnreadFormat(format);
    try {
        if (format == PictureFormat::Jpeg || format == PictureFormat::Gif)
            return DecodeWithSystem(data, size, maxPixels, format);
        if (format == PictureFormat::Bmp && IsIndexedBmp(data, size))
            return DecodeWithDibReader(data, size, maxPixels);
        return DecodeWithStb(data, size, maxPixels, format);
    } catch (const std::bad_alloc&) {
        return win32::OutOfMemoryFailure();
    }
}

}  // namespace platform
