#include "platform/modres/ModuleFile.h"

#include <algorithm>
#include <array>
#include <limits>
#include <fstream>

namespace platform {

namespace {

// ELF64 file header (offsets from the start of the file):
//   0  4  magic 0x7F 'E' 'L' 'F'
//   4  1  class           2 = 64-bit
//   5  1  data encoding   1 = little-endian
//   6  1  version         1
//  40  8  e_shoff         section header table offset
//  58  2  e_shentsize     size of one section header (64)
//  60  2  e_shnum         number of section headers (0: in section 0's sh_size)
//  62  2  e_shstrndx      index of the section name table (0xFFFF: in section 0's sh_link)
// ELF64 section header (offsets within the header):
//   0  4  sh_name         offset of the name in the name table
//   4  4  sh_type         8 = SHT_NOBITS (occupies no file space)
//  24  8  sh_offset
//  32  8  sh_size
//  40  4  sh_link
constexpr std::size_t kFileHeaderSize = 64;
constexpr std::array<std::uint8_t, 4> kElfMagic = {0x7F, 'E', 'L', 'F'};
constexpr std::size_t kClassAt = 4;
constexpr std::size_t kDataAt = 5;
constexpr std::size_t kIdentVersionAt = 6;
constexpr std::uint8_t kClass64 = 2;
constexpr std::uint8_t kLittleEndian = 1;
constexpr std::uint8_t kCurrentVersion = 1;
constexpr std::size_t kShOffAt = 40;
constexpr std::size_t kShEntSizeAt = 58;
constexpr std::size_t kShNumAt = 60;
constexpr std::size_t kShStrNdxAt = 62;

constexpr std::size_t kSectionHeaderSize = 64;
constexpr std::size_t kShNameAt = 0;
constexpr std::size_t kShTypeAt = 4;
constexpr std::size_t kShOffsetAt = 24;
constexpr std::size_t kShSizeAt = 32;
constexpr std::size_t kShLinkAt = 40;
constexpr std::uint32_t kShtNoBits = 8;
constexpr std::uint16_t kShnXIndex = 0xFFFF;

// Limits against hostile headers: no module has this many sections, a name
// table this big or a resource section this large.
constexpr std::uint64_t kMaxSections = 65536;
constexpr std::uint64_t kMaxNameTableSize = 16ull * 1024 * 1024;
constexpr std::uint64_t kMaxSectionSize = 256ull * 1024 * 1024;

std::uint64_t ReadLE(const std::uint8_t* bytes, std::size_t count)
{
    std::uint64_t value = 0;
    for (std::size_t i = count; i > 0; --i)
        value = (value << 8) | bytes[i - 1];
    return value;
}

struct SectionHeader {
    std::uint32_t name = 0;
    std::uint32_t type = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint32_t link = 0;
};

// Random-access reads of a file whose size is known, each one checked
// against that size before it happens.
class FileReader {
public:
    explicit FileReader(const std::string& path) : m_stream(path, std::ios::binary)
    {
        if (!m_stream)
            return;
        m_stream.seekg(0, std::ios::end);
        const std::streamoff end = m_stream.tellg();
        if (end < 0)
            return;
        m_size = static_cast<std::uint64_t>(end);
        m_open = true;
    }

    std::uint64_t Size() const { return m_size; }

    std::optional<std::vector<std::uint8_t>> Read(std::uint64_t offset, std::uint64_t count)
    {
        if (!m_open || offset > m_size || count > m_size - offset)
            return std::nullopt;
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
        m_stream.clear();
        m_stream.seekg(static_cast<std::streamoff>(offset));
        if (count > 0)
            m_stream.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
        if (!m_stream)
            return std::nullopt;
        return bytes;
    }

private:
    std::ifstream m_stream;
    std::uint64_t m_size = 0;
    bool m_open = false;
};

std::optional<SectionHeader> ReadSectionHeader(FileReader& file, std::uint64_t tableOffset, std::uint64_t entrySize,
                                               std::uint64_t index)
{
    // index < kMaxSections and entrySize < 65536, so the product fits; the sum may not.
    const std::uint64_t relative = index * entrySize;
    if (relative > std::numeric_limits<std::uint64_t>::max() - tableOffset)
        return std::nullopt;
    const auto bytes = file.Read(tableOffset + relative, kSectionHeaderSize);
    if (!bytes)
        return std::nullopt;
    SectionHeader header;
    header.name = static_cast<std::uint32_t>(ReadLE(bytes->data() + kShNameAt, 4));
    header.type = static_cast<std::uint32_t>(ReadLE(bytes->data() + kShTypeAt, 4));
    header.offset = ReadLE(bytes->data() + kShOffsetAt, 8);
    header.size = ReadLE(bytes->data() + kShSizeAt, 8);
    header.link = static_cast<std::uint32_t>(ReadLE(bytes->data() + kShLinkAt, 4));
    return header;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadElfSection(const std::string& path, std::string_view sectionName)
{
    FileReader file(path);
    const auto header = file.Read(0, kFileHeaderSize);
    if (!header)
        return std::nullopt;
    const std::uint8_t* h = header->data();
    for (std::size_t i = 0; i < kElfMagic.size(); ++i) {
        if (h[i] != kElfMagic[i])
            return std::nullopt;
    }
    if (h[kClassAt] != kClass64 || h[kDataAt] != kLittleEndian || h[kIdentVersionAt] != kCurrentVersion)
        return std::nullopt;

    const std::uint64_t tableOffset = ReadLE(h + kShOffAt, 8);
    const std::uint64_t entrySize = ReadLE(h + kShEntSizeAt, 2);
    std::uint64_t sectionCount = ReadLE(h + kShNumAt, 2);
    std::uint64_t nameTableIndex = ReadLE(h + kShStrNdxAt, 2);
    if (tableOffset == 0 || entrySize < kSectionHeaderSize)
        return std::nullopt;

    // Files with very many sections keep the real counts in section 0.
    if (sectionCount == 0 || nameTableIndex == kShnXIndex) {
        const auto first = ReadSectionHeader(file, tableOffset, entrySize, 0);
        if (!first)
            return std::nullopt;
        if (sectionCount == 0)
            sectionCount = first->size;
        if (nameTableIndex == kShnXIndex)
            nameTableIndex = first->link;
    }
    if (sectionCount == 0 || sectionCount > kMaxSections || nameTableIndex >= sectionCount)
        return std::nullopt;
    // The whole table must lie inside the file, whichever entry is wanted.
    if (tableOffset > file.Size() || sectionCount * entrySize > file.Size() - tableOffset)
        return std::nullopt;

    const auto nameTableHeader = ReadSectionHeader(file, tableOffset, entrySize, nameTableIndex);
    if (!nameTableHeader || nameTableHeader->type == kShtNoBits || nameTableHeader->size > kMaxNameTableSize)
        return std::nullopt;
    const auto names = file.Read(nameTableHeader->offset, nameTableHeader->size);
    if (!names)
        return std::nullopt;

    for (std::uint64_t index = 0; index < sectionCount; ++index) {
        const auto section = ReadSectionHeader(file, tableOffset, entrySize, index);
        if (!section)
            return std::nullopt;
        // The name must end, with its terminator, inside the name table.
        if (section->name >= names->size())
            continue;
        const std::size_t nameStart = section->name;
        const std::size_t available = names->size() - nameStart;
        if (sectionName.size() >= available || names->at(nameStart + sectionName.size()) != 0)
            continue;
        if (!std::equal(sectionName.begin(), sectionName.end(), names->begin() + static_cast<std::ptrdiff_t>(nameStart)))
            continue;
        if (section->type == kShtNoBits || section->size > kMaxSectionSize)
            return std::nullopt;
        return file.Read(section->offset, section->size);
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ReadModuleResourceSection(const std::string& modulePath)
{
    return ReadElfSection(modulePath, kResourceSectionName);
}

}  // namespace platform
