#include "AtomicReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {

// Keeps the temporary name within NAME_MAX whatever the target's length.
constexpr std::size_t kMaxStemLength = 200;

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

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

}  // namespace

AtomicReplace::AtomicReplace(std::string targetHostPath) : target_(std::move(targetHostPath))
{
    const std::string name = NameOf(target_);
    if (name.empty())
        return;
    std::string pattern = FolderOf(target_) + "/." + name.substr(0, kMaxStemLength) + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    fd_ = mkostemp(buffer.data(), O_CLOEXEC);
    if (fd_ >= 0)
        tempPath_ = buffer.data();
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
    const bool flushed = fsync(fd_) == 0;
    const bool closed = close(fd_) == 0;
    fd_ = -1;
    if (!flushed || !closed) {
        Discard();
        return false;
    }
    const bool renamed = replaceExisting ? std::rename(tempPath_.c_str(), target_.c_str()) == 0
                                         : RenameWithoutReplacing(tempPath_.c_str(), target_.c_str());
    if (!renamed) {
        Discard();
        return false;
    }
    committed_ = true;
    SyncFolder(FolderOf(target_));
    return true;
}

void AtomicReplace::Discard()
{
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    if (!tempPath_.empty()) {
        unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

}  // namespace platform
