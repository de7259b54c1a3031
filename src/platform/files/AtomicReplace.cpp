#include "platform/files/AtomicReplace.h"

#include "platform/files/HostFolders.h"
#include "platform/files/LinkTarget.h"
#include "platform/files/StaleTemporaries.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {

constexpr std::string_view kTemporaryPrefix = ".lumva-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kTemporaryRandomLength = 6;  // mkostemps' XXXXXX

void SyncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

bool RenameWithoutReplacing(const char* from, const char* to)
{
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the flag: a hard link fails on an existing name too.
    if (link(from, to) == 0) {
        unlink(from);
        return true;
    }
    return false;
}

mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A locked temporary that is still linked under its name; a clean-up in
// another process may unlink one between its creation and its lock, so the
// creation is retried then.
int CreateLockedTemporary(const std::string& folder, std::string& path)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string pattern = folder + "/" + std::string(kTemporaryPrefix) + "XXXXXX" + std::string(kTemporarySuffix);
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        const int fd = mkostemps(buffer.data(), static_cast<int>(kTemporarySuffix.size()), O_CLOEXEC);
        if (fd < 0)
            return -1;
        struct stat info {};
        if (flock(fd, LOCK_EX) == 0 && fstat(fd, &info) == 0 && info.st_nlink > 0) {
            path = buffer.data();
            return fd;
        }
        close(fd);
    }
    return -1;
}

}  // namespace

bool IsTemporaryFileName(std::string_view name)
{
    if (name.size() != kTemporaryPrefix.size() + kTemporaryRandomLength + kTemporarySuffix.size())
        return false;
    return name.substr(0, kTemporaryPrefix.size()) == kTemporaryPrefix
        && name.substr(name.size() - kTemporarySuffix.size()) == kTemporarySuffix;
}

AtomicReplace::AtomicReplace(std::string targetHostPath) : target_(FollowLinks(std::move(targetHostPath)))
{
    if (target_.empty() || target_.back() == '/')
        return;
    const std::string folder = HostFolderOf(target_);
    RemoveStaleTemporaries(folder);
    fd_ = CreateLockedTemporary(folder, tempPath_);
    if (fd_ < 0)
        return;
    struct stat existing {};
    fchmod(fd_, stat(target_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : NewFileMode());
}

AtomicReplace::~AtomicReplace()
{
    if (!committed_)
        Discard();
}

bool AtomicReplace::Write(std::span<const char> bytes)
{
    if (fd_ < 0)
        return false;
    while (!bytes.empty()) {
        const ssize_t written = write(fd_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

bool AtomicReplace::Commit(bool replaceExisting)
{
    if (fd_ < 0 || committed_)
        return false;
    if (fsync(fd_) != 0) {
        Discard();
        return false;
    }
    // Renamed while still open and locked, so a clean-up never takes it for
    // a leftover.
    const bool renamed = replaceExisting ? std::rename(tempPath_.c_str(), target_.c_str()) == 0
                                         : RenameWithoutReplacing(tempPath_.c_str(), target_.c_str());
    if (!renamed) {
        Discard();
        return false;
    }
    committed_ = true;
    const bool closed = close(fd_) == 0;
    fd_ = -1;
    SyncFolder(HostFolderOf(target_));
    return closed;
}

void AtomicReplace::Discard()
{
    if (!tempPath_.empty()) {
        unlink(tempPath_.c_str());
        tempPath_.clear();
    }
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

}  // namespace platform
