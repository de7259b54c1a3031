#include "platform/WinTypes.h"
#include "platform/files/FileSystem.h"

#include "platform/win32/files/KernelFileSystem.h"

namespace platform {

namespace win32 {

std::optional<std::string> KernelFileSystem::Resolve(const std::string& path) const
{
    // A path the system cannot hold is refused here rather than by every caller.
    if (path.empty() || path.size() >= MAX_PATH || path.find('\0') != std::string::npos)
        return std::nullopt;
    return path;
}

bool KernelFileSystem::Exists(const std::string& path) const
{
    return GetAttributes(path) != INVALID_FILE_ATTRIBUTES;
}

DWORD KernelFileSystem::GetAttributes(const std::string& path) const
{
    if (!Resolve(path))
        return INVALID_FILE_ATTRIBUTES;
    return ::GetFileAttributesA(path.c_str());
}

bool KernelFileSystem::SetAttributes(const std::string& path, DWORD attributes)
{
    return Resolve(path) && ::SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

bool KernelFileSystem::Copy(const std::string& source, const std::string& target, bool failIfExists)
{
    return Resolve(source) && Resolve(target) &&
           ::CopyFileA(source.c_str(), target.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
}

bool KernelFileSystem::Delete(const std::string& path)
{
    return Resolve(path) && ::DeleteFileA(path.c_str()) != FALSE;
}

}  // namespace win32

namespace {

std::unique_ptr<FileSystem>& Installed()
{
    static std::unique_ptr<FileSystem> installed;
    return installed;
}

}  // namespace

void SetFileSystem(std::unique_ptr<FileSystem> fileSystem)
{
    Installed() = std::move(fileSystem);
}

FileSystem& CurrentFileSystem()
{
    if (!Installed())
        Installed() = std::make_unique<win32::KernelFileSystem>();
    return *Installed();
}

}  // namespace platform
