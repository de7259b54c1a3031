#include "platform/settings/SettingsFileStore.h"

#include "platform/files/AtomicReplace.h"
#include "platform/files/HostFolders.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <map>
#include <mutex>
#include <tuple>

namespace platform {

namespace {

// A settings file is a few hundred bytes; anything far larger is not ours.
constexpr off_t kMaxFileSize = 4 * 1024 * 1024;

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
}

// What tells one version of the file from the next. An atomic replacement
// gives a new inode, a hand edit a new time stamp or size.
struct FileVersion {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::tuple<time_t, long, time_t, long> times{};

    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

FileVersion VersionOf(const struct stat& info)
{
    return FileVersion{info.st_dev, info.st_ino, info.st_size,
                       {info.st_mtim.tv_sec, info.st_mtim.tv_nsec, info.st_ctim.tv_sec, info.st_ctim.tv_nsec}};
}

// Time stamps advance in steps of the kernel's clock tick, so a change made
// just after a read can leave the stamp as it was. A version read this soon
// after its stamp is not trusted until it is read once more.
constexpr std::chrono::milliseconds kStampGranularity{100};

bool SettledBefore(const struct stat& info, std::chrono::system_clock::time_point readAt)
{
    const auto stamp = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(info.st_mtim.tv_sec) + std::chrono::nanoseconds(info.st_mtim.tv_nsec)));
    return stamp + kStampGranularity < readAt;
}

struct CachedDocument {
    FileVersion version;
    bool settled = false;  // the content was read well after its time stamp
    std::shared_ptr<const SettingsDocument> document;
};

// Holds the folder locked while it lives; a folder that cannot be locked
// (a file system without locks) leaves writes unserialised, as before.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : fd_(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (fd_ >= 0) {
            while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FolderLock()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

}  // namespace

std::shared_ptr<const SettingsDocument> ReadSettings(const std::string& hostPath)
{
    static std::mutex mutex;
    static std::map<std::string, CachedDocument> cache;

    struct stat info {};
    if (stat(hostPath.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return nullptr;
        static const auto empty = std::make_shared<const SettingsDocument>();
        return empty;
    }
    const std::lock_guard lock(mutex);
    const auto found = cache.find(hostPath);
    if (found != cache.end() && found->second.settled && found->second.version == VersionOf(info))
        return found->second.document;
    const auto readAt = std::chrono::system_clock::now();
    auto loaded = LoadSettings(hostPath);
    if (!loaded) {
        cache.erase(hostPath);
        return nullptr;
    }
    auto document = std::make_shared<const SettingsDocument>(std::move(*loaded));
    // The version read before the content: a change in between is seen at
    // the next read, never hidden behind the newer stamp.
    cache[hostPath] = CachedDocument{VersionOf(info), SettledBefore(info, readAt), document};
    return document;
}

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
    // A settings file that is a link to a file kept elsewhere stays a link:
    // the replacement writes through it.
    AtomicReplace output(hostPath);
    const FolderLock lock(FolderOf(output.FinalTarget()));
    auto document = LoadSettings(output.FinalTarget());
    if (!document)
        return false;
    document->Set(section, entry, value);
    const std::string text = document->Serialize();

    struct stat existing {};
    if (stat(output.FinalTarget().c_str(), &existing) != 0)
        fchmod(output.Descriptor(), 0600);
    if (!output.IsOpen() || !output.Write(text))
        return false;
    return output.Commit(true);
}

}  // namespace platform
