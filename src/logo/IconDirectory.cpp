#include "logo/IconDirectory.h"

#include "logo/ByteOrder.h"

#include <algorithm>
#include <array>

namespace logo {

namespace {

// ICONDIR:       0 reserved (0)  2 type (1 icon, 2 cursor)  4 count
// ICONDIRENTRY:  0 width  1 height  2 colours  3 reserved
//                4 planes / hot spot x  6 bit count / hot spot y
//                8 bytes of the image  12 offset of the image
constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;

std::int32_t Side(std::uint8_t stored)
{
    return stored == 0 ? 256 : stored;
}

}  // namespace

std::vector<IconEntry> ReadIconDirectory(std::span<const std::uint8_t> bytes, IconFileType type)
{
    std::vector<IconEntry> entries;
    if (bytes.size() < kDirectorySize || ReadU16LE(bytes, 0) != 0
        || ReadU16LE(bytes, 2) != static_cast<std::uint16_t>(type))
        return entries;
    const std::size_t count = ReadU16LE(bytes, 4);
    if (kDirectorySize + count * kEntrySize > bytes.size())
        return entries;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kDirectorySize + i * kEntrySize;
        IconEntry entry;
        entry.width = Side(bytes[at]);
        entry.height = Side(bytes[at + 1]);
        entry.colorCount = bytes[at + 2];
        entry.planesOrHotX = ReadU16LE(bytes, at + 4);
        entry.bitCountOrHotY = ReadU16LE(bytes, at + 6);
        entry.size = ReadU32LE(bytes, at + 8);
        entry.offset = ReadU32LE(bytes, at + 12);
        entries.push_back(entry);
    }
    return entries;
}

std::optional<std::span<const std::uint8_t>> IconEntryBytes(std::span<const std::uint8_t> bytes,
                                                            const IconEntry& entry)
{
    if (entry.offset > bytes.size() || entry.size > bytes.size() - entry.offset)
        return std::nullopt;
    return bytes.subspan(entry.offset, entry.size);
}

bool IsPngImage(std::span<const std::uint8_t> image)
{
    static constexpr std::array<std::uint8_t, 4> kPng = {0x89, 'P', 'N', 'G'};
    return image.size() >= kPng.size() && std::equal(kPng.begin(), kPng.end(), image.begin());
}

IconResult DecodeIconEntry(std::span<const std::uint8_t> bytes, const IconEntry& entry)
{
    const auto image = IconEntryBytes(bytes, entry);
    if (!image) {
        IconResult result;
        result.error = LoadError{LoadErrorKind::Truncated, "icon image lies beyond the end of the file"};
        return result;
    }
    return DecodeIconDib(*image, entry.width, entry.height);
}

}  // namespace logo
