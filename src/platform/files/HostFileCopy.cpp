#include "platform/files/HostFileCopy.h"

#include "platform/files/AtomicReplace.h"
#include "platform/files/DosAttributes.h"
#include "platform/files/FileDescriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace platform {

namespace {

bool CopyContent(int from, AtomicReplace& to)
{
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t got = read(from, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        if (!to.Write(std::span<const char>(buffer.data(), static_cast<std::size_t>(got))))
            return false;
    }
}

bool TargetAcceptable(const std::string& target, const struct stat& source, bool failIfExists)
{
    struct stat existing {};
    if (stat(target.c_str(), &existing) != 0)
        return errno == ENOENT;
    if (S_ISDIR(existing.st_mode))
        return false;
    if (existing.st_dev == source.st_dev && existing.st_ino == source.st_ino)
        return false;
    if (failIfExists)
        return false;
    const DWORD attributes = ReadDosAttributes(target);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

}  // namespace

bool CopyHostFile(const std::string& source, const std::string& target, bool failIfExists)
{
    const FileDescriptor input(open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat sourceInfo {};
    if (input.Get() < 0 || fstat(input.Get(), &sourceInfo) != 0 || !S_ISREG(sourceInfo.st_mode))
        return false;
    if (source == target || !TargetAcceptable(target, sourceInfo, failIfExists))
        return false;
    const DWORD sourceAttributes = ReadDosAttributes(source);

    AtomicReplace output(target);
    if (!output.IsOpen() || !CopyContent(input.Get(), output))
        return false;
    // The copy starts writable by its owner; read-only follows with the
    // other attributes, which may fail quietly where they cannot be stored.
    fchmod(output.Descriptor(), (sourceInfo.st_mode & 0777) | S_IRUSR | S_IWUSR);
    WriteDosAttributes(output.TempPath(), sourceAttributes & ~FILE_ATTRIBUTE_DIRECTORY);
    return output.Commit(!failIfExists);
}

bool DeleteHostFile(const std::string& hostPath)
{
    struct stat info {};
    if (stat(hostPath.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    if ((ReadDosAttributes(hostPath) & FILE_ATTRIBUTE_READONLY) != 0)
        return false;
    return unlink(hostPath.c_str()) == 0;
}

}  // namespace platform
