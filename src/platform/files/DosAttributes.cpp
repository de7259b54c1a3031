#include "platform/files/DosAttributes.h"

#include "platform/HexDigit.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <vector>

namespace platform {

namespace {

constexpr DWORD kXattrBits = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kFatSettableBits =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

bool OnFatMount(const std::string& hostPath)
{
    struct statfs volume {};
    return statfs(hostPath.c_str(), &volume) == 0 && volume.f_type == MSDOS_SUPER_MAGIC;
}

std::optional<DWORD> ReadFatAttributes(const std::string& hostPath)
{
    const int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    __u32 bits = 0;
    const bool ok = ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &bits) == 0;
    close(fd);
    if (!ok)
        return std::nullopt;
    return static_cast<DWORD>(bits) & (kFatSettableBits | FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteFatAttributes(const std::string& hostPath, DWORD attributes)
{
    const int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    // FAT attribute bits have the values of the Windows constants.
    __u32 bits = attributes & kFatSettableBits;
    const bool ok = ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &bits) == 0;
    close(fd);
    return ok;
}

std::optional<std::string> ReadXattr(const std::string& hostPath)
{
    std::vector<char> value(64);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const ssize_t size = getxattr(hostPath.c_str(), kDosAttributeName, value.data(), value.size());
        if (size >= 0)
            return std::string(value.data(), static_cast<std::size_t>(size));
        if (errno != ERANGE)
            return std::nullopt;
        const ssize_t needed = getxattr(hostPath.c_str(), kDosAttributeName, nullptr, 0);
        if (needed < 0 || needed > 65536)
            return std::nullopt;
        value.resize(static_cast<std::size_t>(needed));
    }
    return std::nullopt;
}

std::string XattrText(DWORD bits)
{
    char text[16];
    const int length = std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(bits));
    return std::string(text, static_cast<std::size_t>(length));
}

bool WriteXattr(const std::string& hostPath, DWORD bits)
{
    if (bits == 0) {
        if (removexattr(hostPath.c_str(), kDosAttributeName) == 0)
            return true;
        // Nothing stored, or nowhere to store it: either way nothing is hidden.
        return errno == ENODATA || errno == ENOTSUP;
    }
    const std::string text = XattrText(bits);
    return setxattr(hostPath.c_str(), kDosAttributeName, text.data(), text.size(), 0) == 0;
}

}  // namespace

DWORD ParseDosAttributeText(std::string_view text)
{
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return 0;
    DWORD value = 0;
    for (std::size_t i = 2; i < text.size() && i < 10; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0)
            break;
        value = (value << 4) | static_cast<DWORD>(digit);
    }
    return value & kXattrBits;
}

DWORD ReadDosAttributes(const std::string& hostPath)
{
    struct stat info {};
    if (stat(hostPath.c_str(), &info) != 0)
        return INVALID_FILE_ATTRIBUTES;
    if (OnFatMount(hostPath)) {
        if (const auto bits = ReadFatAttributes(hostPath))
            return *bits != 0 ? *bits : FILE_ATTRIBUTE_NORMAL;
    }
    DWORD bits = 0;
    if (S_ISDIR(info.st_mode))
        bits |= FILE_ATTRIBUTE_DIRECTORY;
    else if ((info.st_mode & kAnyWrite) == 0)
        bits |= FILE_ATTRIBUTE_READONLY;
    if (const auto text = ReadXattr(hostPath))
        bits |= ParseDosAttributeText(*text);
    return bits != 0 ? bits : FILE_ATTRIBUTE_NORMAL;
}

bool WriteDosAttributes(const std::string& hostPath, DWORD attributes)
{
    struct stat info {};
    if (stat(hostPath.c_str(), &info) != 0)
        return false;
    if (OnFatMount(hostPath))
        return WriteFatAttributes(hostPath, attributes);

    const bool folder = S_ISDIR(info.st_mode);
    const mode_t mode = info.st_mode & 07777;
    mode_t finalMode = mode;
    if (!folder) {
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
            finalMode = mode & ~kAnyWrite;
        else if ((mode & kAnyWrite) == 0)
            finalMode = mode | S_IWUSR;
    }

    const DWORD wanted = attributes & kXattrBits;
    const auto stored = ReadXattr(hostPath);
    const bool xattrChanges = stored ? *stored != XattrText(wanted) || wanted == 0 : wanted != 0;
    bool ok = true;
    if (xattrChanges) {
        // Storing a user attribute needs write permission on the file, so a
        // read-only file is opened up for the moment of the change.
        if (!folder && (mode & S_IWUSR) == 0)
            chmod(hostPath.c_str(), mode | S_IWUSR);
        ok = WriteXattr(hostPath, wanted);
    }
    const bool modeTouched = xattrChanges && !folder && (mode & S_IWUSR) == 0;
    if (finalMode != mode || modeTouched) {
        if (chmod(hostPath.c_str(), finalMode) != 0)
            ok = false;
    }
    return ok;
}

}  // namespace platform
