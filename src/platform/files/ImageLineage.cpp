#include "platform/files/ImageLineage.h"

#include <algorithm>
#include <sstream>
#include <string_view>

namespace platform {

namespace {

constexpr std::size_t kMaxName = 4096;
constexpr std::uint32_t kVdiDifferencing = 4;
constexpr std::uint32_t kVhdDifferencing = 4;
constexpr std::uint32_t kVmdkCompressedGrains = 1u << 16;

// qcow2 header (big-endian)          VMDK sparse extent header (little-endian)
//   0  magic "QFI\xfb"                 0  magic "KDMV"
//   8  backing file name offset        8  flags (bit 16: compressed grains)
//  16  backing file name size         28  embedded descriptor, in sectors
//                                     36  its size, in sectors
// VHD footer (big-endian)            VHD dynamic header ("cxsparse")
//   0  "conectix"                     40  parent unique id (16 bytes)
//  16  dynamic header offset          64  parent name (512 bytes, UTF-16BE)
//  60  disk type (4: differencing)
//  68  unique id (16 bytes)
// VDI header (little-endian)
//  64  signature 0xBEDA107F   76  image type (4: differencing)
// 392  creation UUID          424  linkage (parent) UUID

std::uint64_t Be64(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return (static_cast<std::uint64_t>(Be32(bytes, at)) << 32) | Be32(bytes, at + 4);
}

std::string Hex(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t length)
{
    static const char* digits = "0123456789abcdef";
    std::string text;
    for (std::size_t i = at; i < at + length; ++i) {
        text += digits[bytes.at(i) >> 4];
        text += digits[bytes.at(i) & 0xF];
    }
    return text;
}

std::string Utf16BeName(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t length)
{
    std::string text;
    for (std::size_t i = at; i + 1 < at + length; i += 2) {
        const unsigned unit = (static_cast<unsigned>(bytes.at(i)) << 8) | bytes.at(i + 1);
        if (unit == 0)
            break;
        if (unit < 0x80) {
            text += static_cast<char>(unit);
        } else if (unit < 0x800) {
            text += static_cast<char>(0xC0 | (unit >> 6));
            text += static_cast<char>(0x80 | (unit & 0x3F));
        } else if (unit < 0xD800 || unit > 0xDFFF) {
            text += static_cast<char>(0xE0 | (unit >> 12));
            text += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            text += '?';
        }
    }
    return text;
}

ImageLineage Qcow2(const ImageBytes& image, const std::vector<std::uint8_t>& header)
{
    ImageLineage lineage;
    if (header.size() < 20)
        return lineage;
    const std::uint64_t offset = Be64(header, 8);
    const std::uint32_t size = Be32(header, 16);
    if (offset == 0 || size == 0 || size > kMaxName)
        return lineage;
    if (const auto name = image.Read(offset, size))
        lineage.parentName.assign(name->begin(), name->end());
    return lineage;
}

// The value of KEY=VALUE or KEY="VALUE" on a line of its own.
std::string DescriptorValue(const std::string& text, std::string_view key)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() <= key.size() || line.compare(0, key.size(), key) != 0 || line[key.size()] != '=')
            continue;
        std::string value = line.substr(key.size() + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return {};
}

std::string LowerCase(std::string text)
{
    for (char& c : text)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
}

// A CID of all ones means "no parent".
ImageLineage VmdkDescriptorLineage(const std::string& text)
{
    ImageLineage lineage;
    lineage.identity = LowerCase(DescriptorValue(text, "CID"));
    const std::string parent = LowerCase(DescriptorValue(text, "parentCID"));
    if (!parent.empty() && parent != "ffffffff") {
        lineage.parentIdentity = parent;
        lineage.parentName = DescriptorValue(text, "parentFileNameHint");
    }
    lineage.streamOptimized = DescriptorValue(text, "createType") == "streamOptimized";
    return lineage;
}

ImageLineage VmdkSparse(const ImageBytes& image, const std::vector<std::uint8_t>& header)
{
    if (header.size() < 44)
        return {};
    const std::uint64_t offset = Le64(header, 28);
    const std::uint64_t sectors = Le64(header, 36);
    ImageLineage lineage;
    if (offset != 0 && sectors != 0 && sectors <= kMaxVmdkDescriptor / kImageSector
        && offset <= image.Size() / kImageSector) {
        if (const auto text = image.Read(offset * kImageSector, static_cast<std::size_t>(sectors * kImageSector))) {
            const auto end = std::find(text->begin(), text->end(), 0);
            lineage = VmdkDescriptorLineage(std::string(text->begin(), end));
        }
    }
    lineage.streamOptimized = lineage.streamOptimized || (Le32(header, 8) & kVmdkCompressedGrains) != 0;
    return lineage;
}

ImageLineage VhdLineage(const ImageBytes& image, const std::vector<std::uint8_t>& footer)
{
    ImageLineage lineage;
    lineage.identity = Hex(footer, 68, 16);
    if (Be32(footer, 60) != kVhdDifferencing)
        return lineage;
    lineage.differencing = true;
    const auto dynamic = image.Read(Be64(footer, 16), 576);
    if (dynamic && BytesStartWith(*dynamic, "cxsparse")) {
        lineage.parentIdentity = Hex(*dynamic, 40, 16);
        lineage.parentName = Utf16BeName(*dynamic, 64, 512);
    }
    return lineage;
}

ImageLineage Vdi(const std::vector<std::uint8_t>& header)
{
    ImageLineage lineage;
    lineage.identity = Hex(header, 392, 16);
    if (Le32(header, 76) == kVdiDifferencing) {
        lineage.differencing = true;
        lineage.parentIdentity = Hex(header, 424, 16);
    }
    return lineage;
}

}  // namespace

ImageLineage ReadImageLineage(const ImageBytes& image)
{
    const auto head = image.Read(0, static_cast<std::size_t>(std::min<std::uint64_t>(image.Size(), kImageSector)));
    if (!head)
        return {};
    if (BytesStartWith(*head, "QFI\xfb"))
        return Qcow2(image, *head);
    if (BytesStartWith(*head, "KDMV"))
        return VmdkSparse(image, *head);
    if (head->size() == kImageSector && Le32(*head, 64) == kVdiSignature)
        return Vdi(*head);
    if (head->size() == kImageSector && BytesStartWith(*head, "conectix"))
        return VhdLineage(image, *head);
    if (image.Size() > kImageSector) {
        const auto footer = image.Read(image.Size() - kImageSector, kImageSector);
        if (footer && BytesStartWith(*footer, "conectix"))
            return VhdLineage(image, *footer);
    }
    if (BytesStartWith(*head, "# Disk DescriptorFile") && image.Size() <= kMaxVmdkDescriptor) {
        if (const auto text = image.Read(0, static_cast<std::size_t>(image.Size())))
            return VmdkDescriptorLineage(std::string(text->begin(), text->end()));
    }
    return {};
}

}  // namespace platform
