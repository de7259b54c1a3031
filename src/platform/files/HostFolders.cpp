#include "platform/files/HostFolders.h"

#include <sys/stat.h>

#include <cerrno>

namespace platform {

namespace {

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string HostFolderOf(const std::string& hostPath)
{
    const std::size_t slash = hostPath.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : hostPath.substr(0, slash));
}

bool MakeFolders(const std::string& hostFolder, mode_t mode)
{
    if (hostFolder.empty())
        return false;
    if (IsFolder(hostFolder))
        return true;
    for (std::size_t slash = hostFolder.find('/', 1); ; slash = hostFolder.find('/', slash + 1)) {
        const std::string prefix = hostFolder.substr(0, slash);
        if (!prefix.empty() && mkdir(prefix.c_str(), mode) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    return IsFolder(hostFolder);
}

}  // namespace platform
