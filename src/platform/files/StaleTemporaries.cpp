#include "platform/files/StaleTemporaries.h"

#include "platform/files/AtomicReplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

void RemoveIfUnlocked(int folderFd, const char* name)
{
    // Non-blocking and not following links: a FIFO or a link planted under
    // the pattern is neither waited for nor followed.
    const int fd = openat(folderFd, name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat opened {};
    struct stat named {};
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)
        && fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_ino == opened.st_ino
        && named.st_dev == opened.st_dev)
        unlinkat(folderFd, name, 0);
    close(fd);
}

}  // namespace

void RemoveStaleTemporaries(const std::string& folder)
{
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr)
        return;
    const int folderFd = dirfd(listing);
    while (const dirent* entry = readdir(listing)) {
        if (IsTemporaryFileName(entry->d_name))
            RemoveIfUnlocked(folderFd, entry->d_name);
    }
    closedir(listing);
}

}  // namespace platform
