#include "platform/modres/ResourceBlob.h"

#include "logo/ByteOrder.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace platform {

namespace {

// Header, 16 bytes:
//   0  8  magic "LUMVARES"
//   8  4  format version
//  12  4  entry count
// Directory entry, 12 bytes each, right after the header:
//   0  2  type
//   2  2  id
//   4  4  payload offset from the blob start
//   8  4  payload size
constexpr char kMagic[8] = {'L', 'U', 'M', 'V', 'A', 'R', 'E', 'S'};
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kVersionAt = 8;
constexpr std::size_t kCountAt = 12;
constexpr std::size_t kEntrySize = 12;
constexpr std::size_t kEntryTypeAt = 0;
constexpr std::size_t kEntryIdAt = 2;
constexpr std::size_t kEntryOffsetAt = 4;
constexpr std::size_t kEntrySizeAt = 8;

void PutU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t value)
{
    out[at] = static_cast<std::uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    PutU16(out, at, static_cast<std::uint16_t>(value & 0xFFFF));
    PutU16(out, at + 2, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

std::vector<std::uint8_t> PackResources(const std::vector<ResourceEntry>& entries)
{
    const std::size_t directoryEnd = kHeaderSize + entries.size() * kEntrySize;
    std::size_t total = directoryEnd;
    for (const ResourceEntry& entry : entries)
        total += entry.data.size();
    // Offsets are 32-bit; a blob this large would be a build mistake.
    if (total > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("resource blob exceeds 4 GiB");

    std::vector<std::uint8_t> out(total, 0);
    std::memcpy(out.data(), kMagic, sizeof kMagic);
    PutU32(out, kVersionAt, kFormatVersion);
    PutU32(out, kCountAt, static_cast<std::uint32_t>(entries.size()));

    std::size_t payloadAt = directoryEnd;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ResourceEntry& entry = entries[i];
        const std::size_t at = kHeaderSize + i * kEntrySize;
        PutU16(out, at + kEntryTypeAt, static_cast<std::uint16_t>(entry.type));
        PutU16(out, at + kEntryIdAt, entry.id);
        PutU32(out, at + kEntryOffsetAt, static_cast<std::uint32_t>(payloadAt));
        PutU32(out, at + kEntrySizeAt, static_cast<std::uint32_t>(entry.data.size()));
        if (!entry.data.empty())
            std::memcpy(out.data() + payloadAt, entry.data.data(), entry.data.size());
        payloadAt += entry.data.size();
    }
    return out;
}

// The whole directory is checked once here, so Find can trust every entry.
// Bytes after the last payload are allowed: a section may be padded.
ResourceBlob::ResourceBlob(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        return;
    const std::uint32_t version = logo::ReadU32LE(bytes, kVersionAt);
    if (version != kFormatVersion)
        return;
    const std::uint64_t count = logo::ReadU32LE(bytes, kCountAt);
    const std::uint64_t available = bytes.size() - kHeaderSize;
    if (count > available / kEntrySize)
        return;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + static_cast<std::size_t>(i) * kEntrySize;
        const std::uint64_t offset = logo::ReadU32LE(bytes, at + kEntryOffsetAt);
        const std::uint64_t size = logo::ReadU32LE(bytes, at + kEntrySizeAt);
        if (offset > bytes.size() || size > bytes.size() - offset)
            return;
    }
    m_bytes = bytes;
    m_valid = true;
}

// An empty payload is a valid entry (an empty string), so presence is
// decided by the directory, not by the payload size.
std::optional<std::span<const std::uint8_t>> ResourceBlob::FindEntry(ResourceType type, std::uint16_t id) const
{
    if (!m_valid)
        return std::nullopt;
    const std::uint32_t count = logo::ReadU32LE(m_bytes, kCountAt);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + static_cast<std::size_t>(i) * kEntrySize;
        const std::uint16_t entryType = logo::ReadU16LE(m_bytes, at + kEntryTypeAt);
        const std::uint16_t entryId = logo::ReadU16LE(m_bytes, at + kEntryIdAt);
        if (entryType != static_cast<std::uint16_t>(type) || entryId != id)
            continue;
        const std::uint32_t offset = logo::ReadU32LE(m_bytes, at + kEntryOffsetAt);
        const std::uint32_t size = logo::ReadU32LE(m_bytes, at + kEntrySizeAt);
        return m_bytes.subspan(offset, size);
    }
    return std::nullopt;
}

std::span<const std::uint8_t> ResourceBlob::Find(ResourceType type, std::uint16_t id) const
{
    return FindEntry(type, id).value_or(std::span<const std::uint8_t>{});
}

std::optional<std::string> ResourceBlob::FindString(std::uint16_t id) const
{
    const auto text = FindEntry(ResourceType::String, id);
    if (!text)
        return std::nullopt;
    return std::string(text->begin(), text->end());
}

std::optional<std::string> FindVersionValue(std::string_view versionText, std::string_view key)
{
    std::size_t lineStart = 0;
    while (lineStart < versionText.size()) {
        std::size_t lineEnd = versionText.find('\n', lineStart);
        if (lineEnd == std::string_view::npos)
            lineEnd = versionText.size();
        const std::string_view line = versionText.substr(lineStart, lineEnd - lineStart);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && line.substr(0, equals) == key)
            return std::string(line.substr(equals + 1));
        lineStart = lineEnd + 1;
    }
    return std::nullopt;
}

}  // namespace platform
