#include "slots/SaveLogo.h"

#include "platform/files/FileApi.h"

bool SaveLogoToFile(const std::string& sourcePath, const std::string& targetHostPath)
{
    if (platform::CopyFileA(sourcePath, targetHostPath, FALSE) == FALSE)
        return false;
    // A copy of a hidden system logo file should be an ordinary file; where
    // attributes cannot be stored the copy is still good.
    platform::SetFileAttributesA(targetHostPath, FILE_ATTRIBUTE_NORMAL);
    return true;
}
