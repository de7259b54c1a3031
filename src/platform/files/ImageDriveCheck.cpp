#include "platform/files/ImageDriveCheck.h"

#include "platform/files/CheckedRootListing.h"
#include "platform/files/ImageVolume.h"
#include "platform/files/MtoolsDrive.h"

#include <sys/stat.h>
#include <unistd.h>

#include <future>

namespace platform {

namespace {

// No write permission bit counts as read-only even for root, who could
// write anyway: the owner marked the image as not to be changed.
bool Writable(const std::string& path)
{
    struct stat info {};
    return access(path.c_str(), W_OK) == 0 && stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) != 0;
}

}  // namespace

bool NamesImageDrive(const std::string& text)
{
    return ParseImageDriveName(text).has_value();
}

ImageDriveReport CheckImageDrive(const std::string& text)
{
    const auto named = ParseImageDriveName(text);
    if (!named)
        return {"is not a file", {}};
    const ImageVolumeResult located = LocateImageVolume(*named, true);
    if (!located.volume)
        return {located.error, {}};
    const ImageVolume& volume = *located.volume;
    // An image that is only read may be read-only; the view of one qemu
    // reads is read-only until a change.
    if (volume.readOnlyReason.empty() &&
        (!Writable(named->imagePath) || (!volume.disk && !Writable(volume.dataFile))))
        return {"is read-only (Lumivane writes the logo files into it)", {}};
    // The last word is mtools': it must read the file system we found.
    // Its listing of the root is the drive's first: the drive that follows
    // takes it instead of listing again, with the attributes read beside.
    const MtoolsDrive drive(volume.dataFile, volume.offset);
    auto attributes = std::async(std::launch::async, [&drive] { return drive.Run("mattrib", {"z:/*"}); });
    const ChildResult root = drive.Run("mdir", {"-a", "z:/"});
    const ChildResult bits = attributes.get();
    if (!root.started)
        return {"cannot be opened: mtools is not installed", {}};
    if (!root.Succeeded())
        return {"holds no FAT file system mtools can read", {}};
    if (bits.Succeeded())
        KeepCheckedRootListing(named->imagePath, volume, {root.out, bits.out});
    return {{}, located.notes};
}

std::string ImageDriveProblem(const std::string& text)
{
    return CheckImageDrive(text).problem;
}

}  // namespace platform
