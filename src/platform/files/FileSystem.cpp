#include "platform/files/FileSystem.h"

#include "platform/files/DriveFileSystems.h"
#include "platform/files/QemuDisks.h"
#include "platform/files/SystemFolderRedirect.h"

namespace platform {

namespace {

std::unique_ptr<FileSystem>& Installed()
{
    static std::unique_ptr<FileSystem> fileSystem;
    return fileSystem;
}

}  // namespace

void SetFileSystem(std::unique_ptr<FileSystem> fileSystem)
{
    Installed() = std::move(fileSystem);
    // The drives of the new file system hold the disks they use.
    ReleaseKeptQemuDisks();
}

FileSystem& CurrentFileSystem()
{
    auto& installed = Installed();
    if (!installed)
        installed = WithSystemFolderRedirect(DriveFileSystems::FromDriveTable(DriveTable::FromEnvironment()));
    return *installed;
}

}  // namespace platform
