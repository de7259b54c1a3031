#include "editor/ShortcutTarget.h"

#include "editor/ShellLinkReader.h"
#include "platform/files/FileSystem.h"
#include "platform/files/WindowsPath.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

namespace {

// Real shortcuts are a few kilobytes; anything far larger is not one.
constexpr std::uintmax_t kMaxShortcutSize = 1 << 20;

bool HasLinkExtension(const std::string& path)
{
    constexpr std::string_view kExtension = ".lnk";
    if (path.size() < kExtension.size())
        return false;
    return std::equal(kExtension.begin(), kExtension.end(), path.end() - kExtension.size(),
                      [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b); });
}

std::optional<std::vector<std::uint8_t>> ReadSmallFile(const std::filesystem::path& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxShortcutSize)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        return std::nullopt;
    return bytes;
}

}  // namespace

std::string ProgramBehindShortcut(const std::string& chosenPath)
{
    if (!HasLinkExtension(chosenPath))
        return chosenPath;
    const platform::FileSystem& files = platform::CurrentFileSystem();
    const std::optional<std::string> linkFile = files.Resolve(chosenPath);
    if (!linkFile)
        return chosenPath;
    const std::optional<std::vector<std::uint8_t>> bytes = ReadSmallFile(*linkFile);
    if (!bytes)
        return chosenPath;
    const ShellLinkResult link = ReadShellLinkTarget(bytes->data(), bytes->size());
    if (!link.target)
        return chosenPath;
    if (link.target->kind == ShellLinkTargetKind::LocalPath)
        return files.Resolve(link.target->path).value_or(chosenPath);
    std::string relative = link.target->path;
    if (relative.starts_with('\\') || relative.starts_with('/') || relative.find(':') != std::string::npos)
        return chosenPath;
    // A shortcut named by its Windows path: its folder's Windows path and
    // the relative one, resolved as one name, without regard to case.
    if (!platform::IsHostPath(chosenPath)) {
        const std::size_t separator = chosenPath.find_last_of("\\/");
        const std::string folder = separator == std::string::npos ? std::string() : chosenPath.substr(0, separator + 1);
        return files.Resolve(folder + relative).value_or(chosenPath);
    }
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const std::filesystem::path target = std::filesystem::path(*linkFile).parent_path() / relative;
    return target.lexically_normal().string();
}
