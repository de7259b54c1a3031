#include "platform/win32/picture/ClaimedSize.h"

#include <algorithm>

namespace platform::win32 {

namespace {

std::uint32_t BigEndian16(const std::uint8_t* at)
{
    const std::uint32_t high = at[0];
    const std::uint32_t low = at[1];
    return (high << 8) | low;
}

std::uint32_t LittleEndian16(const std::uint8_t* at)
{
    const std::uint32_t low = at[0];
    const std::uint32_t high = at[1];
    return (high << 8) | low;
}

// SOF0-SOF15 but for DHT (C4), JPG (C8) and DAC (CC), which share the range.
bool IsFrameHeader(std::uint8_t marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length: TEM and the restarts.
bool HasNoLength(std::uint8_t marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

}  // namespace

std::optional<PictureSize> JpegClaimedSize(const std::uint8_t* data, std::size_t size)
{
    constexpr std::uint8_t kStartOfScan = 0xDA;
    // A frame header after its marker:
    //   0 length (2), 2 precision, 3 height (2), 5 width (2)
    constexpr std::size_t kFrameHeaderBytes = 7;
    std::size_t at = 2;  // after SOI
    while (at + 1 < size) {
        if (data[at] != 0xFF)
            return std::nullopt;
        ++at;
        while (at < size && data[at] == 0xFF)  // fill bytes
            ++at;
        if (at >= size)
            return std::nullopt;
        const std::uint8_t marker = data[at++];
        if (HasNoLength(marker))
            continue;
        if (marker == kStartOfScan || marker == 0xD8 || marker == 0xD9 || marker == 0x00)
            return std::nullopt;
        if (size - at < 2)
            return std::nullopt;
        const std::uint32_t length = BigEndian16(data + at);
        if (IsFrameHeader(marker)) {
            if (length < kFrameHeaderBytes || size - at < kFrameHeaderBytes)
                return std::nullopt;
            const PictureSize frame{BigEndian16(data + at + 5), BigEndian16(data + at + 3)};
            if (frame.height == 0)
                return std::nullopt;
            return frame;
        }
        if (length < 2)
            return std::nullopt;
        at += length;
    }
    return std::nullopt;
}

std::optional<PictureSize> GifClaimedSize(const std::uint8_t* data, std::size_t size)
{
    //   0 signature "GIF87a" / "GIF89a"
    //   6 screen width, 8 screen height (little-endian), 10 flags (bit 7: a
    //     global colour table of 2 << (flags & 7) entries), 11 background,
    //   12 aspect; 13 the table, then the blocks
    constexpr std::size_t kScreenEnd = 13;
    constexpr std::uint8_t kExtension = 0x21;
    constexpr std::uint8_t kImage = 0x2C;
    // An image descriptor: 0 separator, 1 left, 3 top, 5 width, 7 height, 9 flags
    constexpr std::size_t kImageDescriptorBytes = 10;
    if (size < kScreenEnd)
        return std::nullopt;
    PictureSize bound{LittleEndian16(data + 6), LittleEndian16(data + 8)};
    std::size_t at = kScreenEnd;
    if ((data[10] & 0x80) != 0)
        at += 3 * (std::size_t{2} << (data[10] & 7));
    while (at < size) {
        if (data[at] == kImage) {
            if (size - at < kImageDescriptorBytes)
                return std::nullopt;
            const std::uint32_t right = LittleEndian16(data + at + 1) + LittleEndian16(data + at + 5);
            const std::uint32_t bottom = LittleEndian16(data + at + 3) + LittleEndian16(data + at + 7);
            bound.width = std::max(bound.width, right);
            bound.height = std::max(bound.height, bottom);
            return bound;
        }
        if (data[at] != kExtension || size - at < 2)
            return std::nullopt;
        at += 2;  // introducer, label; then sub-blocks, each led by its length, up to an empty one
        while (at < size && data[at] != 0)
            at += std::size_t{data[at]} + 1;
        ++at;
    }
    return std::nullopt;
}

}  // namespace platform::win32
