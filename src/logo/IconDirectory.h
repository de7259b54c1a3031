#pragma once
// The directory at the start of an .ico or .cur file (and of an icon or
// cursor resource): one entry per image, each naming where its bytes are.

#include "logo/BmpReader.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace logo {

enum class IconFileType : std::uint16_t { Icon = 1, Cursor = 2 };

struct IconEntry {
    std::int32_t width = 0;   // 1..256 (the byte 0 stands for 256)
    std::int32_t height = 0;  // 1..256, the same way
    std::uint8_t colorCount = 0;
    std::uint16_t planesOrHotX = 0;    // icons: planes; cursors: hot spot x
    std::uint16_t bitCountOrHotY = 0;  // icons: bits per pixel; cursors: hot spot y
    std::uint32_t size = 0;
    std::uint32_t offset = 0;
};

// The entries of a directory of the given type, or none when the signature
// is not that type's or the directory runs past the end of the bytes.
std::vector<IconEntry> ReadIconDirectory(std::span<const std::uint8_t> bytes, IconFileType type);

// The bytes of an entry's image, or nullopt when they lie outside `bytes`.
std::optional<std::span<const std::uint8_t>> IconEntryBytes(std::span<const std::uint8_t> bytes, const IconEntry& entry);

// True when the entry's image is a PNG stream rather than a DIB.
bool IsPngImage(std::span<const std::uint8_t> image);

// Decodes the entry's DIB with its mask (see DecodeIconDib).
IconResult DecodeIconEntry(std::span<const std::uint8_t> bytes, const IconEntry& entry);

}  // namespace logo
