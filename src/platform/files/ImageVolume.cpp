#include "platform/files/ImageVolume.h"

#include "platform/files/FatBootSector.h"
#include "platform/files/PartitionTable.h"

#include <sys/stat.h>

#include <charconv>
#include <filesystem>
#include <sstream>

namespace platform {

namespace {

constexpr std::uint64_t kSector = 512;

bool IsRegularFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

ImageVolumeResult Failure(std::string why)
{
    return {std::nullopt, std::move(why)};
}

std::string TypeText(std::uint8_t type)
{
    static const char* digits = "0123456789ABCDEF";
    return std::string("0x") + digits[type >> 4] + digits[type & 0xF];
}

std::string Truncated(std::uint64_t needed, std::uint64_t present)
{
    std::ostringstream text;
    text << "is truncated: its file system needs " << needed << " bytes, the image holds " << present;
    return text.str();
}

std::optional<Partition> ChoosePartition(const std::vector<Partition>& partitions, int wanted, std::string& error)
{
    for (const Partition& partition : partitions) {
        if (wanted != 0 && partition.number == wanted) {
            if (!IsFatPartitionType(partition.type)) {
                error = "partition " + std::to_string(wanted) + " is not a FAT partition (type " +
                        TypeText(partition.type) + ")";
                return std::nullopt;
            }
            return partition;
        }
        if (wanted == 0 && IsFatPartitionType(partition.type))
            return partition;
    }
    error = wanted != 0 ? "has no partition " + std::to_string(wanted) : "has no FAT partition";
    return std::nullopt;
}

std::string QemuFormat(ContainerKind kind)
{
    switch (kind) {
    case ContainerKind::Qcow2:
        return "qcow2";
    case ContainerKind::VhdDynamic:
        return "vpc";
    case ContainerKind::VdiDynamic:
        return "vdi";
    default:
        return "vmdk";
    }
}

}  // namespace

ImageVolumeResult LocateThroughMirror(const ImageDriveName& named, ContainerKind kind)
{
    auto mirror = std::make_shared<RawMirror>(named.imagePath, QemuFormat(kind));
    if (!mirror->IsReady())
        return Failure("is a " + ContainerName(kind) + " image that " + mirror->Problem());
    const FileImageBytes raw(mirror->RawPath());
    ImageVolumeResult result = LocateVolumeOnDisk(raw, 0, raw.Size(), named.partition);
    if (result.volume) {
        result.volume->dataFile = mirror->RawPath();
        result.volume->container = kind;
        result.volume->mirror = std::move(mirror);
    }
    return result;
}

std::optional<ImageDriveName> ParseImageDriveName(const std::string& text)
{
    if (IsRegularFile(text))
        return ImageDriveName{text, 0};
    const std::size_t at = text.rfind('@');
    if (at == std::string::npos || at == 0 || at + 1 >= text.size())
        return std::nullopt;
    int number = 0;
    const char* begin = text.data() + at + 1;
    const char* end = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(begin, end, number);
    if (problem != std::errc() || stop != end || number < 1 || number > 128)
        return std::nullopt;
    const std::string path = text.substr(0, at);
    if (!IsRegularFile(path))
        return std::nullopt;
    return ImageDriveName{path, number};
}

ImageVolumeResult LocateVolumeOnDisk(const ImageBytes& disk, std::uint64_t diskOffset, std::uint64_t diskSize,
                                     int partition)
{
    const auto first = diskSize >= kSector ? disk.Read(diskOffset, kSector) : std::nullopt;
    if (!first)
        return Failure("is too small to be a disk image");
    const std::uint64_t available = std::min(diskSize, disk.Size() - std::min(disk.Size(), diskOffset));
    if (const auto shape = ReadFatBootSector(*first)) {
        if (partition != 0)
            return Failure("has no partition table (one FAT file system fills it), so no partition " +
                           std::to_string(partition));
        if (shape->totalBytes > available)
            return Failure(Truncated(shape->totalBytes, available));
        return {ImageVolume{{}, diskOffset, ContainerKind::Raw, 0, nullptr}, {}};
    }
    const std::vector<Partition> partitions = ReadPartitionTable(disk, diskOffset);
    if (partitions.empty())
        return Failure("is not a disk image: it starts with neither a partition table nor a FAT boot sector");
    std::string error;
    const std::optional<Partition> chosen = ChoosePartition(partitions, partition, error);
    if (!chosen)
        return Failure(error);
    const std::uint64_t end = chosen->startByte + chosen->sizeBytes;
    if (chosen->startByte >= available)
        return Failure(Truncated(end, available));
    const auto boot = disk.Read(diskOffset + chosen->startByte, kSector);
    const auto shape = boot ? ReadFatBootSector(*boot) : std::nullopt;
    if (!shape)
        return Failure("partition " + std::to_string(chosen->number) + " holds no FAT file system");
    const std::uint64_t needed = chosen->startByte + std::min(shape->totalBytes, chosen->sizeBytes);
    if (needed > available)
        return Failure(Truncated(needed, available));
    return {ImageVolume{{}, diskOffset + chosen->startByte, ContainerKind::Raw, chosen->number, nullptr}, {}};
}

ImageVolumeResult LocateImageVolume(const ImageDriveName& named)
{
    const FileImageBytes image(named.imagePath);
    if (!image.IsOpen())
        return Failure("cannot be read");
    const ImageContainer container = DetectContainer(image);
    if (!container.problem.empty())
        return Failure("is a " + ContainerName(container.kind) + " image, but " + container.problem);
    if (NeedsBlockDriver(container.kind))
        return LocateThroughMirror(named, container.kind);
    std::string dataFile = named.imagePath;
    if (container.kind == ContainerKind::VmdkFlat) {
        const std::filesystem::path extent(container.extentFile);
        dataFile = extent.is_absolute() ? extent.string()
                                        : (std::filesystem::path(named.imagePath).parent_path() / extent).string();
    }
    const FileImageBytes data(dataFile);
    if (!data.IsOpen())
        return Failure("names the extent '" + dataFile + "', which cannot be read");
    ImageVolumeResult result = LocateVolumeOnDisk(data, container.diskOffset, container.diskSize, named.partition);
    if (result.volume) {
        result.volume->dataFile = dataFile;
        result.volume->container = container.kind;
    }
    return result;
}

}  // namespace platform
