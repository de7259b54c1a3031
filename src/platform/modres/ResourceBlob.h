#pragma once
// The module's resource section: string table, bitmaps, icons, cursors and
// version information packed into one blob, kept inside lumva.cpl in a
// section of its own (as a Windows module keeps its resources). The module
// reads it from memory; the host reads it from the module's file.
//
// Layout (little-endian):
//   0   8   magic "LUMVARES"
//   8   4   format version (1)
//   12  4   entry count
//   16  12  per entry: type (u16), id (u16), offset from blob start (u32), size (u32)
//   ... payloads
// Payloads are ordinary Windows file formats, so nothing new needs a parser:
//   ResourceType::Bitmap  a .bmp file       ResourceType::Icon    a .ico file (all images of the group)
//   ResourceType::Cursor  a .cur file       ResourceType::String  UTF-8 text, no terminator
//   ResourceType::Version UTF-8 "Key=Value" lines

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class ResourceType : std::uint16_t {
    Cursor = 1,
    Bitmap = 2,
    Icon = 3,
    String = 6,
    Version = 16,
};

struct ResourceEntry {
    ResourceType type;
    std::uint16_t id;
    std::vector<std::uint8_t> data;
};

// Builds a blob from entries (used by the build-time resource compiler).
std::vector<std::uint8_t> PackResources(const std::vector<ResourceEntry>& entries);

// A read-only view of a blob. Invalid or truncated blobs find nothing.
class ResourceBlob {
public:
    ResourceBlob() = default;
    explicit ResourceBlob(std::span<const std::uint8_t> bytes);

    bool IsValid() const { return m_valid; }
    std::span<const std::uint8_t> Find(ResourceType type, std::uint16_t id) const;
    std::optional<std::string> FindString(std::uint16_t id) const;

private:
    std::optional<std::span<const std::uint8_t>> FindEntry(ResourceType type, std::uint16_t id) const;

    std::span<const std::uint8_t> m_bytes;
    bool m_valid = false;
};

// The value of one "Key=Value" line of a Version resource, if the key is there.
std::optional<std::string> FindVersionValue(std::string_view versionText, std::string_view key);

}  // namespace platform
