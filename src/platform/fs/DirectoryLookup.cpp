#include "DirectoryLookup.h"

#include <dirent.h>
#include <sys/stat.h>

namespace platform {

namespace {

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

std::optional<std::string> FindNameIgnoringCase(const std::string& folder, std::string_view name)
{
    struct stat info {};
    if (lstat(JoinHostPath(folder, name).c_str(), &info) == 0)
        return std::string(name);

    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr)
        return std::nullopt;
    std::optional<std::string> best;
    while (const dirent* entry = readdir(listing)) {
        const std::string_view candidate = entry->d_name;
        if (candidate == "." || candidate == ".." || !EqualsIgnoringCase(candidate, name))
            continue;
        if (!best || candidate < *best)
            best = std::string(candidate);
    }
    closedir(listing);
    return best;
}

std::string JoinHostPath(const std::string& folder, std::string_view name)
{
    std::string joined = folder;
    if (joined.empty() || joined.back() != '/')
        joined += '/';
    joined += name;
    return joined;
}

}  // namespace platform
