#include "platform/files/DiskSpace.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

namespace platform {

std::uint64_t AllocatedBytes(const std::string& hostPath)
{
    struct stat info {};
    return stat(hostPath.c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.st_blocks) * 512 : 0;
}

std::uint64_t FreeBytes(const std::string& hostFolder)
{
    struct statvfs info {};
    return statvfs(hostFolder.c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize : 0;
}

}  // namespace platform
