#include "ImageDriveCheck.h"

#include "ImageVolume.h"
#include "MtoolsDrive.h"

#include <unistd.h>

namespace platform {

bool NamesImageDrive(const std::string& text)
{
    return ParseImageDriveSpec(text).has_value();
}

std::string ImageDriveProblem(const std::string& text)
{
    const auto spec = ParseImageDriveSpec(text);
    if (!spec)
        return "is not a file";
    const ImageVolumeResult located = LocateImageVolume(*spec);
    if (!located.volume)
        return located.error;
    if (access(spec->imagePath.c_str(), W_OK) != 0 || access(located.volume->dataFile.c_str(), W_OK) != 0)
        return "is read-only (Lumivane writes the logo files into it)";
    // The last word is mtools': it must read the file system we found.
    const MtoolsDrive drive(located.volume->dataFile, located.volume->offset);
    const ChildResult root = drive.Run("mdir", {"-a", "z:/"});
    if (!root.started)
        return "cannot be opened: mtools is not installed";
    if (!root.Succeeded())
        return "holds no FAT file system mtools can read";
    return {};
}

}  // namespace platform
