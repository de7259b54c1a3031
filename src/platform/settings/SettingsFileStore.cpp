#include "SettingsFileStore.h"

#include "../fs/AtomicReplace.h"
#include "../fs/HostFolders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>

namespace platform {

namespace {

// A settings file is a few hundred bytes; anything far larger is not ours.
constexpr off_t kMaxFileSize = 4 * 1024 * 1024;

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::optional<SettingsDocument> LoadSettings(const std::string& hostPath)
{
    // Non-blocking, so a FIFO put in the file's place cannot hang the applet.
    const int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT)
            return SettingsDocument{};
        return std::nullopt;
    }
    struct stat info {};
    std::string text;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMaxFileSize;
    std::array<char, 8192> buffer{};
    while (ok) {
        const ssize_t got = read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        text.append(buffer.data(), static_cast<std::size_t>(got));
        ok = text.size() <= static_cast<std::size_t>(kMaxFileSize);
    }
    close(fd);
    if (!ok)
        return std::nullopt;
    return SettingsDocument::Parse(text);
}

bool StoreSetting(const std::string& hostPath, const std::string& section, const std::string& entry,
                  const SettingValue& value)
{
    if (hostPath.empty() || section.empty() || entry.empty())
        return false;
    if (!MakeFolders(FolderOf(hostPath), 0700))
        return false;
    // A settings file that is a link to a file kept elsewhere stays a link.
    std::string target = hostPath;
    if (char* real = realpath(hostPath.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    auto document = LoadSettings(target);
    if (!document)
        return false;
    document->Set(section, entry, value);
    const std::string text = document->Serialize();

    struct stat existing {};
    const mode_t mode = stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 0777) : 0600;
    AtomicReplace output(target);
    if (!output.IsOpen() || !output.Write(text))
        return false;
    fchmod(output.Descriptor(), mode);
    return output.Commit(true);
}

}  // namespace platform
