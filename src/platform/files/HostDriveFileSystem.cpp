#include "platform/files/HostDriveFileSystem.h"

#include "platform/files/DirectoryLookup.h"
#include "platform/files/DosAttributes.h"
#include "platform/files/HostFileCopy.h"
#include "platform/files/WindowsPath.h"

#include <sys/stat.h>

namespace platform {

HostDriveFileSystem::HostDriveFileSystem(DriveTable drives) : drives_(std::move(drives)) {}

std::optional<std::string> HostDriveFileSystem::Resolve(const std::string& path) const
{
    if (IsHostPath(path))
        return path;
    const auto parsed = ParseWindowsPath(path);
    if (!parsed)
        return std::nullopt;
    auto hostPath = drives_.Folder(parsed->drive);
    if (!hostPath)
        return std::nullopt;
    // Once a component is missing nothing below it can exist, so the rest
    // keeps the spelling asked for.
    bool searching = true;
    for (const auto& component : parsed->components) {
        std::optional<std::string> hostName;
        if (searching)
            hostName = FindNameIgnoringCase(*hostPath, component);
        searching = hostName.has_value();
        *hostPath = JoinHostPath(*hostPath, hostName ? *hostName : component);
    }
    return hostPath;
}

bool HostDriveFileSystem::Exists(const std::string& path) const
{
    const auto hostPath = Resolve(path);
    struct stat info {};
    return hostPath && stat(hostPath->c_str(), &info) == 0;
}

DWORD HostDriveFileSystem::GetAttributes(const std::string& path) const
{
    const auto hostPath = Resolve(path);
    return hostPath ? ReadDosAttributes(*hostPath) : INVALID_FILE_ATTRIBUTES;
}

bool HostDriveFileSystem::SetAttributes(const std::string& path, DWORD attributes)
{
    const auto hostPath = Resolve(path);
    return hostPath && WriteDosAttributes(*hostPath, attributes);
}

bool HostDriveFileSystem::Copy(const std::string& source, const std::string& target, bool failIfExists)
{
    const auto hostSource = Resolve(source);
    const auto hostTarget = Resolve(target);
    return hostSource && hostTarget && CopyHostFile(*hostSource, *hostTarget, failIfExists);
}

bool HostDriveFileSystem::Delete(const std::string& path)
{
    const auto hostPath = Resolve(path);
    return hostPath && DeleteHostFile(*hostPath);
}

}  // namespace platform
