#include "platform/files/ImageHolders.h"

#include "platform/files/ChildProcess.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <fstream>
#include <iterator>
#include <string_view>

namespace platform {

namespace {

bool HasForeignLock(const std::string& hostPath)
{
    const int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = 0;
    probe.l_len = 0;
    const bool locked = fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    close(fd);
    return locked;
}

bool IsNumber(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool ProcessHasOpen(const std::string& pid, const struct stat& image)
{
    const std::string fdFolder = "/proc/" + pid + "/fd";
    DIR* folder = opendir(fdFolder.c_str());
    if (folder == nullptr)
        return false;
    bool found = false;
    while (const dirent* entry = readdir(folder)) {
        struct stat info {};
        if (entry->d_name[0] != '.' && fstatat(dirfd(folder), entry->d_name, &info, 0) == 0 &&
            info.st_dev == image.st_dev && info.st_ino == image.st_ino) {
            found = true;
            break;
        }
    }
    closedir(folder);
    return found;
}

// The daemon behind a view of ours is not "elsewhere": a child of ours
// serving a folder of ours.
bool IsOurEngine(const std::string& pid)
{
    std::ifstream commandLine("/proc/" + pid + "/cmdline");
    const std::string text((std::istreambuf_iterator<char>(commandLine)), std::istreambuf_iterator<char>());
    return text.find("/lumivane-view-" + std::to_string(getpid()) + "-") != std::string::npos &&
           IsOwnChild(static_cast<pid_t>(std::stol(pid)));
}

bool OtherProcessHasOpen(const std::string& hostPath)
{
    struct stat image {};
    if (stat(hostPath.c_str(), &image) != 0)
        return false;
    DIR* processes = opendir("/proc");
    if (processes == nullptr)
        return false;
    const std::string self = std::to_string(getpid());
    const uid_t user = getuid();
    bool found = false;
    while (const dirent* entry = readdir(processes)) {
        const std::string pid = entry->d_name;
        struct stat owner {};
        if (!IsNumber(pid) || pid == self || fstatat(dirfd(processes), pid.c_str(), &owner, 0) != 0 ||
            owner.st_uid != user)
            continue;
        if (ProcessHasOpen(pid, image) && !IsOurEngine(pid)) {
            found = true;
            break;
        }
    }
    closedir(processes);
    return found;
}

// The kernel grants a write lease only while no other open file of the
// file exists, in any process of any user: the answer without walking
// /proc. nullopt where leases cannot be had (another user's file, a file
// system without them).
std::optional<bool> OpenElsewhereByLease(const std::string& hostPath)
{
    const int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    std::optional<bool> open;
    if (fcntl(fd, F_SETLEASE, F_WRLCK) == 0) {
        fcntl(fd, F_SETLEASE, F_UNLCK);
        open = false;
    } else if (errno == EAGAIN) {
        open = true;
    }
    close(fd);
    return open;
}

}  // namespace

bool IsImageInUseElsewhere(const std::string& hostPath)
{
    if (HasForeignLock(hostPath))
        return true;
    const std::optional<bool> leased = OpenElsewhereByLease(hostPath);
    return leased ? *leased : OtherProcessHasOpen(hostPath);
}

}  // namespace platform
