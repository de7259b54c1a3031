#include "platform/files/ImageVolume.h"

#include "platform/files/FatBootSector.h"
#include "platform/files/ImageLineage.h"
#include "platform/files/PartitionTable.h"
#include "platform/files/QemuDisks.h"
#include "platform/files/SnapshotChildren.h"
#include "platform/files/StaleTemporaries.h"

#include <sys/stat.h>

#include <charconv>
#include <filesystem>
#include <sstream>

namespace platform {

namespace {

bool IsRegularFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

ImageVolumeResult Failure(std::string why)
{
    return {std::nullopt, std::move(why), {}};
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

ImageVolumeResult LocateThroughQemu(const ImageDriveName& named, ContainerKind kind, bool keepOpen)
{
    const QemuDiskOpening opened = OpenQemuDisk(named.imagePath, QemuFormat(kind), ContainerName(kind), keepOpen);
    if (!opened.disk)
        return Failure(opened.problem);
    if (!opened.disk->Ready())
        return Failure("is a " + ContainerName(kind) + " image that qemu cannot read now");
    const FileImageBytes raw(opened.disk->RawPath());
    ImageVolumeResult result = LocateVolumeOnDisk(raw, 0, raw.Size(), named.partition);
    if (result.volume) {
        result.volume->dataFile = opened.disk->RawPath();
        result.volume->container = kind;
        result.volume->disk = opened.disk;
    }
    if (!opened.note.empty())
        result.notes.push_back(opened.note);
    return result;
}

std::string Differencing(ContainerKind kind)
{
    return "is a " + ContainerName(kind) +
           " (a snapshot on top of another disk), which qemu cannot open together with its parent; "
           "that parent must not be changed either, or this snapshot breaks";
}

// Why the image is read but never written, or "".
std::string ReadOnlyReason(const std::string& imagePath)
{
    const std::string child = FindSnapshotChild(imagePath);
    if (!child.empty())
        return "is the base of the snapshot '" + child +
               "': it is read but not written, since changing it would corrupt that snapshot";
    const FileImageBytes image(imagePath);
    if (ReadImageLineage(image).streamOptimized)
        return "is a streamOptimized VMDK, which qemu cannot change in place: it is read but not written "
               "(convert it to change it: qemu-img convert -O vmdk -o subformat=monolithicSparse IN OUT)";
    return {};
}

}  // namespace

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
    const auto first = diskSize >= kImageSector ? disk.Read(diskOffset, kImageSector) : std::nullopt;
    if (!first)
        return Failure("is too small to be a disk image");
    const std::uint64_t available = std::min(diskSize, disk.Size() - std::min(disk.Size(), diskOffset));
    if (const auto shape = ReadFatBootSector(*first)) {
        if (partition != 0)
            return Failure("has no partition table (one FAT file system fills it), so no partition " +
                           std::to_string(partition));
        if (shape->totalBytes > available)
            return Failure(Truncated(shape->totalBytes, available));
        return {ImageVolume{.offset = diskOffset}, {}, {}};
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
    const auto boot = disk.Read(diskOffset + chosen->startByte, kImageSector);
    const auto shape = boot ? ReadFatBootSector(*boot) : std::nullopt;
    if (!shape)
        return Failure("partition " + std::to_string(chosen->number) + " holds no FAT file system");
    const std::uint64_t needed = chosen->startByte + std::min(shape->totalBytes, chosen->sizeBytes);
    if (needed > available)
        return Failure(Truncated(needed, available));
    return {ImageVolume{.offset = diskOffset + chosen->startByte, .partition = chosen->number}, {}, {}};
}

ImageVolumeResult LocateImageVolume(const ImageDriveName& named, bool keepOpen)
{
    const FileImageBytes image(named.imagePath);
    if (!image.IsOpen())
        return Failure("cannot be read");
    const ImageContainer container = DetectContainer(image);
    if (container.kind == ContainerKind::VhdDifferencing || container.kind == ContainerKind::VdiDifferencing)
        return Failure(Differencing(container.kind));
    if (!container.problem.empty())
        return Failure("is a " + ContainerName(container.kind) + " image, but " + container.problem);
    // What an interrupted write of an older version left beside the image.
    RemoveStaleTemporaries(std::filesystem::path(named.imagePath).parent_path().string());
    ImageVolumeResult result;
    if (NeedsBlockDriver(container.kind)) {
        result = LocateThroughQemu(named, container.kind, keepOpen);
    } else {
        std::string dataFile = named.imagePath;
        if (container.kind == ContainerKind::VmdkFlat) {
            const std::filesystem::path extent(container.extentFile);
            dataFile = extent.is_absolute()
                           ? extent.string()
                           : (std::filesystem::path(named.imagePath).parent_path() / extent).string();
        }
        const FileImageBytes data(dataFile);
        if (!data.IsOpen())
            return Failure("names the extent '" + dataFile + "', which cannot be read");
        result = LocateVolumeOnDisk(data, container.diskOffset, container.diskSize, named.partition);
        if (result.volume) {
            result.volume->dataFile = dataFile;
            result.volume->container = container.kind;
        }
    }
    if (result.volume) {
        result.volume->readOnlyReason = ReadOnlyReason(named.imagePath);
        if (!result.volume->readOnlyReason.empty())
            result.notes.push_back(result.volume->readOnlyReason);
    }
    return result;
}

}  // namespace platform
