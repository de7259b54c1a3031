#pragma once
// Shared helpers of the file-system, settings and launch tests: a drive C:
// mapped onto a temporary folder, environment overrides and file access.

#include "common/ScopedEnv.h"
#include "common/TempDir.h"
#include "platform/files/DriveTable.h"
#include "platform/files/FileSystem.h"
#include "platform/files/HostDriveFileSystem.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fstest {

using testing_support::ScopedEnv;
using testing_support::TempDir;

// Drive C: is the temporary folder while this object lives.
class InstalledDrive {
public:
    InstalledDrive()
    {
        platform::DriveTable drives;
        drives.Map('C', folder_.Path().string());
        platform::SetFileSystem(std::make_unique<platform::HostDriveFileSystem>(drives));
    }
    ~InstalledDrive() { platform::SetFileSystem(nullptr); }
    InstalledDrive(const InstalledDrive&) = delete;
    InstalledDrive& operator=(const InstalledDrive&) = delete;

    const TempDir& Folder() const { return folder_; }
    std::string Host(const std::string& relative) const { return folder_.File(relative); }

private:
    TempDir folder_;
};

inline void WriteFile(const std::string& path, const std::string& content)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool PathExists(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

inline mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Every name in a folder, so tests can see that no temporary file was left.
inline std::set<std::string> Listing(const std::string& folder)
{
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        names.insert(entry.path().filename().string());
    return names;
}

inline std::optional<std::string> DosAttrib(const std::string& path)
{
    char value[256];
    const ssize_t size = getxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value);
    if (size < 0)
        return std::nullopt;
    return std::string(value, static_cast<std::size_t>(size));
}

// True when files in folder can carry user extended attributes.
inline bool UserXattrsWork(const std::string& folder)
{
    const std::string probe = folder + "/.xattr-probe";
    WriteFile(probe, "");
    const bool works = setxattr(probe.c_str(), "user.lumivane-probe", "1", 1, 0) == 0;
    unlink(probe.c_str());
    return works;
}

}  // namespace fstest
