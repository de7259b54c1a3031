#include "platform/files/ImageContainer.h"

#include <algorithm>
#include <sstream>
#include <string_view>

namespace platform {

namespace {

constexpr std::uint64_t kVhdFooter = 512;
constexpr std::size_t kVdiHeader = 400;

ImageContainer VhdContainer(const ImageBytes& image, const std::vector<std::uint8_t>& footer)
{
    ImageContainer container;
    const std::uint32_t type = Be32(footer, 60);
    if (type == 2) {
        container.kind = ContainerKind::VhdFixed;
        container.diskSize = image.Size() - kVhdFooter;
    } else if (type == 4) {
        container.kind = ContainerKind::VhdDifferencing;
    } else {
        container.kind = ContainerKind::VhdDynamic;
        if (type != 3)
            container.problem = "its disk type " + std::to_string(type) + " is unknown";
    }
    return container;
}

// A static VDI whose block map is the identity keeps the disk as one run of
// bytes; anything else is read block by block through the map.
ImageContainer Vdi(const ImageBytes& image, const std::vector<std::uint8_t>& header)
{
    ImageContainer container;
    container.kind = ContainerKind::VdiDynamic;
    const std::uint32_t type = Le32(header, 76);
    const std::uint32_t mapOffset = Le32(header, 340);
    const std::uint32_t dataOffset = Le32(header, 344);
    const std::uint64_t diskSize = Le64(header, 368);
    const std::uint32_t blockSize = Le32(header, 376);
    const std::uint32_t blocks = Le32(header, 384);
    if (type == 4)
        container.kind = ContainerKind::VdiDifferencing;
    if (type != 2 || blockSize == 0 || static_cast<std::uint64_t>(blocks) * blockSize < diskSize)
        return container;
    const auto map = image.Read(mapOffset, static_cast<std::size_t>(blocks) * 4);
    if (!map)
        return container;
    for (std::uint32_t block = 0; block < blocks; ++block) {
        if (Le32(*map, static_cast<std::size_t>(block) * 4) != block)
            return container;
    }
    container.kind = ContainerKind::VdiStatic;
    container.diskOffset = dataOffset;
    container.diskSize = diskSize;
    return container;
}

std::string Unquote(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

// "RW 16384 FLAT "disk-flat.vmdk" 0": one FLAT extent is a raw disk.
ImageContainer VmdkDescriptorContainer(const std::string& text)
{
    ImageContainer container;
    container.kind = ContainerKind::VmdkFlat;
    std::istringstream lines(text);
    std::string line;
    int extents = 0;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string access;
        std::string type;
        std::uint64_t sectors = 0;
        words >> access;
        if (access != "RW" && access != "RDONLY" && access != "NOACCESS")
            continue;
        words >> sectors >> type;
        ++extents;
        const std::size_t open = line.find('"');
        const std::size_t close = line.rfind('"');
        if (type != "FLAT" || open == std::string::npos || close <= open) {
            container.kind = ContainerKind::VmdkSparse;
            continue;
        }
        container.extentFile = Unquote(line.substr(open, close - open + 1));
        std::istringstream rest(line.substr(close + 1));
        std::uint64_t offsetSectors = 0;
        rest >> offsetSectors;
        container.diskOffset = offsetSectors * 512;
        container.diskSize = sectors * 512;
    }
    if (extents == 0)
        container.problem = "the VMDK descriptor names no extent";
    else if (extents > 1 && container.kind == ContainerKind::VmdkFlat)
        container.problem = "a VMDK of several extents is not supported";
    else if (container.kind == ContainerKind::VmdkSparse)
        container.extentFile.clear();
    return container;
}

}  // namespace

std::string ContainerName(ContainerKind kind)
{
    switch (kind) {
    case ContainerKind::Raw:
        return "raw";
    case ContainerKind::VhdFixed:
        return "fixed VHD";
    case ContainerKind::VhdDynamic:
        return "dynamic VHD";
    case ContainerKind::VhdDifferencing:
        return "differencing VHD";
    case ContainerKind::VdiStatic:
        return "static VDI";
    case ContainerKind::VdiDynamic:
        return "dynamic VDI";
    case ContainerKind::VdiDifferencing:
        return "differencing VDI";
    case ContainerKind::VmdkFlat:
        return "flat VMDK";
    case ContainerKind::VmdkSparse:
        return "sparse VMDK";
    case ContainerKind::Qcow2:
        return "qcow2";
    }
    return "unknown";
}

bool NeedsBlockDriver(ContainerKind kind)
{
    return kind == ContainerKind::VhdDynamic || kind == ContainerKind::VdiDynamic ||
           kind == ContainerKind::VmdkSparse || kind == ContainerKind::Qcow2;
}

ImageContainer DetectContainer(const ImageBytes& image)
{
    ImageContainer raw;
    raw.diskSize = image.Size();
    const auto head = image.Read(0, std::min<std::uint64_t>(image.Size(), kVdiHeader));
    if (!head)
        return raw;
    if (BytesStartWith(*head, "QFI\xfb"))
        return {ContainerKind::Qcow2, {}, 0, 0, {}};
    if (BytesStartWith(*head, "KDMV"))
        return {ContainerKind::VmdkSparse, {}, 0, 0, {}};
    if (head->size() >= kVdiHeader && Le32(*head, 64) == kVdiSignature)
        return Vdi(image, *head);
    if (BytesStartWith(*head, "conectix") && head->size() >= kVhdFooter)
        return VhdContainer(image, *head);
    if (image.Size() > kVhdFooter) {
        const auto footer = image.Read(image.Size() - kVhdFooter, kVhdFooter);
        if (footer && BytesStartWith(*footer, "conectix"))
            return VhdContainer(image, *footer);
    }
    if (BytesStartWith(*head, "# Disk DescriptorFile") && image.Size() <= kMaxVmdkDescriptor) {
        if (const auto text = image.Read(0, static_cast<std::size_t>(image.Size())))
            return VmdkDescriptorContainer(std::string(text->begin(), text->end()));
    }
    return raw;
}

}  // namespace platform
