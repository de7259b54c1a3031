#include "platform/win32/picture/ExifOrientation.h"

#include <cstring>
#include <optional>
#include <utility>

namespace platform::win32 {

namespace {

// JPEG markers:
//   FFD8 start of image; FFD0-FFD7, FF01 stand alone (no length);
//   FFDA start of scan (entropy-coded data follows: the headers are over);
//   FFE1 APP1, whose payload "Exif\0\0" is followed by a TIFF structure.
constexpr std::uint8_t kMarkerStart = 0xFF;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint8_t kEndOfImage = 0xD9;

// TIFF structure, offsets from its start:
//   0  byte order "II" (little-endian) or "MM" (big-endian)
//   2  42
//   4  offset of the first image directory (IFD0)
// IFD: 2-byte entry count, then 12-byte entries:
//   0 tag, 2 type, 4 count, 8 value (or its offset when over 4 bytes)
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::size_t kEntryBytes = 12;

constexpr int kUpright = 1;

// Bounds-checked reads from one block of bytes in one byte order.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size, bool bigEndian = true)
        : m_data(data), m_size(size), m_bigEndian(bigEndian)
    {
    }

    bool Has(std::size_t offset, std::size_t count) const { return offset <= m_size && count <= m_size - offset; }

    std::optional<std::uint16_t> U16(std::size_t offset) const
    {
        if (!Has(offset, 2))
            return std::nullopt;
        const unsigned first = m_data[offset];
        const unsigned second = m_data[offset + 1];
        return static_cast<std::uint16_t>(m_bigEndian ? (first << 8) | second : (second << 8) | first);
    }

    std::optional<std::uint32_t> U32(std::size_t offset) const
    {
        const std::optional<std::uint16_t> first = U16(offset);
        const std::optional<std::uint16_t> second = U16(offset + 2);
        if (!first || !second)
            return std::nullopt;
        return m_bigEndian ? (static_cast<std::uint32_t>(*first) << 16) | *second
                           : (static_cast<std::uint32_t>(*second) << 16) | *first;
    }

    const std::uint8_t* At(std::size_t offset) const { return m_data + offset; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    bool m_bigEndian;
};

int OrientationInTiff(const std::uint8_t* tiff, std::size_t size)
{
    if (size < 8)
        return kUpright;
    bool bigEndian = false;
    if (std::memcmp(tiff, "MM", 2) == 0)
        bigEndian = true;
    else if (std::memcmp(tiff, "II", 2) != 0)
        return kUpright;
    const Reader reader(tiff, size, bigEndian);
    const std::optional<std::uint16_t> magic = reader.U16(2);
    const std::optional<std::uint32_t> directory = reader.U32(4);
    if (!magic || *magic != 42 || !directory)
        return kUpright;
    const std::optional<std::uint16_t> count = reader.U16(*directory);
    if (!count)
        return kUpright;
    const std::size_t entries = static_cast<std::size_t>(*directory) + 2;
    for (std::size_t i = 0; i < *count; ++i) {
        const std::size_t entry = entries + i * kEntryBytes;
        if (!reader.Has(entry, kEntryBytes))
            return kUpright;
        const std::optional<std::uint16_t> tag = reader.U16(entry);
        if (!tag || *tag != kOrientationTag)
            continue;
        const std::optional<std::uint16_t> type = reader.U16(entry + 2);
        const std::optional<std::uint32_t> values = reader.U32(entry + 4);
        const std::optional<std::uint16_t> value = reader.U16(entry + 8);
        if (!type || *type != kTypeShort || !values || *values != 1 || !value || *value < 1 || *value > 8)
            return kUpright;
        return *value;
    }
    return kUpright;
}

}  // namespace

int JpegExifOrientation(const std::uint8_t* data, std::size_t size)
{
    if (data == nullptr)
        return kUpright;
    const Reader reader(data, size);
    const std::optional<std::uint16_t> start = reader.U16(0);
    if (!start || *start != 0xFFD8)
        return kUpright;
    std::size_t at = 2;
    // Every segment moves on by at least two bytes, so this ends.
    while (reader.Has(at, 2)) {
        if (*reader.At(at) != kMarkerStart)
            return kUpright;
        const std::uint8_t marker = *reader.At(at + 1);
        if (marker == kMarkerStart) {  // fill byte before a marker
            ++at;
            continue;
        }
        at += 2;
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01)
            continue;
        if (marker == kStartOfScan || marker == kEndOfImage)
            return kUpright;
        const std::optional<std::uint16_t> length = reader.U16(at);
        if (!length || *length < 2 || !reader.Has(at, *length))
            return kUpright;
        const std::size_t payload = at + 2;
        const std::size_t payloadSize = *length - 2u;
        if (marker == kApp1 && payloadSize >= 6 && std::memcmp(reader.At(payload), "Exif\0\0", 6) == 0)
            return OrientationInTiff(reader.At(payload + 6), payloadSize - 6);
        at += *length;
    }
    return kUpright;
}

void ApplyExifOrientation(logo::RgbaImage& picture, int orientation)
{
    if (orientation < 2 || orientation > 8 || !picture.IsWellFormed())
        return;
    const int width = picture.width;
    const int height = picture.height;
    const bool swapsSides = orientation >= 5;
    logo::RgbaImage turned;
    turned.width = swapsSides ? height : width;
    turned.height = swapsSides ? width : height;
    turned.rgba.resize(picture.rgba.size());
    for (int y = 0; y < turned.height; ++y) {
        for (int x = 0; x < turned.width; ++x) {
            // The stored pixel that lands at (x, y) once upright.
            int fromX = x;
            int fromY = y;
            switch (orientation) {
            case 2: fromX = width - 1 - x; break;
            case 3: fromX = width - 1 - x; fromY = height - 1 - y; break;
            case 4: fromY = height - 1 - y; break;
            case 5: fromX = y; fromY = x; break;
            case 6: fromX = y; fromY = height - 1 - x; break;
            case 7: fromX = width - 1 - y; fromY = height - 1 - x; break;
            case 8: fromX = width - 1 - y; fromY = x; break;
            default: break;
            }
            const std::size_t from =
                (static_cast<std::size_t>(fromY) * static_cast<std::size_t>(width) + static_cast<std::size_t>(fromX)) * 4;
            const std::size_t to =
                (static_cast<std::size_t>(y) * static_cast<std::size_t>(turned.width) + static_cast<std::size_t>(x)) * 4;
            std::memcpy(turned.rgba.data() + to, picture.rgba.data() + from, 4);
        }
    }
    picture = std::move(turned);
}

}  // namespace platform::win32
