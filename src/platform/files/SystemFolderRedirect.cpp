#include "platform/files/SystemFolderRedirect.h"

#include "platform/files/DirectoryLookup.h"
#include "platform/files/WindowsPath.h"

#include <cstdlib>

namespace platform {

std::string RedirectFolder(const std::string& path, const std::string& from, const std::string& to)
{
    if (IsHostPath(path))
        return path;
    const auto parsed = ParseWindowsPath(path);
    const auto folder = ParseWindowsPath(from);
    const auto stored = ParseWindowsPath(to);
    if (!parsed || !folder || !stored || parsed->drive != folder->drive ||
        parsed->components.size() < folder->components.size())
        return path;
    for (std::size_t i = 0; i < folder->components.size(); ++i) {
        if (!EqualsIgnoringCase(parsed->components[i], folder->components[i]))
            return path;
    }
    std::string result(1, stored->drive);
    result += ":\\";
    std::vector<std::string> components = stored->components;
    components.insert(components.end(), parsed->components.begin() + static_cast<std::ptrdiff_t>(folder->components.size()),
                      parsed->components.end());
    for (std::size_t i = 0; i < components.size(); ++i)
        result += (i == 0 ? "" : "\\") + components[i];
    return result;
}

RedirectedFileSystem::RedirectedFileSystem(std::unique_ptr<FileSystem> inner, std::string from, std::string to)
    : inner_(std::move(inner)), from_(std::move(from)), to_(std::move(to))
{
}

std::optional<std::string> RedirectedFileSystem::Resolve(const std::string& path) const
{
    return inner_->Resolve(Map(path));
}

bool RedirectedFileSystem::Exists(const std::string& path) const
{
    return inner_->Exists(Map(path));
}

DWORD RedirectedFileSystem::GetAttributes(const std::string& path) const
{
    return inner_->GetAttributes(Map(path));
}

bool RedirectedFileSystem::SetAttributes(const std::string& path, DWORD attributes)
{
    return inner_->SetAttributes(Map(path), attributes);
}

bool RedirectedFileSystem::Copy(const std::string& source, const std::string& target, bool failIfExists)
{
    return inner_->Copy(Map(source), Map(target), failIfExists);
}

bool RedirectedFileSystem::Delete(const std::string& path)
{
    return inner_->Delete(Map(path));
}

bool RedirectedFileSystem::ResolvesToTheFile(const std::string& path) const
{
    return inner_->ResolvesToTheFile(Map(path));
}

std::unique_ptr<FileSystem> WithSystemFolderRedirect(std::unique_ptr<FileSystem> fileSystem)
{
    const char* stored = std::getenv("LUMIVANE_SYSTEM_DIR_STORED");
    const char* system = std::getenv("LUMIVANE_SYSTEM_DIR");
    if (stored == nullptr || stored[0] == '\0' || system == nullptr || system[0] == '\0')
        return fileSystem;
    return std::make_unique<RedirectedFileSystem>(std::move(fileSystem), system, stored);
}

}  // namespace platform
