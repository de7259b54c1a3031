#include "platform/files/LinkTarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <vector>

namespace platform {

namespace {

// As the kernel's own limit on links followed in one lookup.
constexpr int kMaxLinks = 40;

std::optional<std::string> ReadLink(const std::string& path, const struct stat& info)
{
    std::vector<char> buffer(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
    const ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
    if (length < 0 || static_cast<std::size_t>(length) >= buffer.size())
        return std::nullopt;
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

}  // namespace

std::string FollowLinks(std::string hostPath)
{
    std::string current = hostPath;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        const auto link = ReadLink(current, info);
        if (!link || link->empty())
            return hostPath;
        if (link->front() == '/') {
            current = *link;
        } else {
            const auto slash = current.rfind('/');
            current = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + *link;
        }
    }
    return hostPath;
}

}  // namespace platform
