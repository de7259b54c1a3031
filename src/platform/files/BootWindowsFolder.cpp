#include "platform/files/BootWindowsFolder.h"

#include "platform/files/BootOptions.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace platform {

namespace {

bool SameFolder(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// "D:\WIN98" with an upper-case letter and no trailing backslash; nullopt
// for anything that is no absolute Windows path.
std::optional<std::string> WindowsFolder(std::string value)
{
    if (value.size() < 3 || !std::isalpha(static_cast<unsigned char>(value[0])) || value[1] != ':' ||
        value[2] != '\\' || value.find('/') != std::string::npos)
        return std::nullopt;
    value[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(value[0])));
    while (value.size() > 3 && value.back() == '\\')
        value.pop_back();
    return value;
}

}  // namespace

BootWindowsFolder WindowsFolderFromBootOptions(const FileSystem& fileSystem, const std::string& windowsDir,
                                               const std::string& systemDir)
{
    BootWindowsFolder result{windowsDir, systemDir, {}, {}};
    const std::string path = windowsDir.substr(0, 2) + "\\MSDOS.SYS";
    if (!fileSystem.Exists(path))
        return result;
    const std::optional<std::string> hostPath = fileSystem.Resolve(path);
    std::string problem;
    const std::optional<BootOptions> options = hostPath ? ReadBootOptions(*hostPath, problem) : std::nullopt;
    if (!options || options->Kind() != BootOptionsKind::Text)
        return result;
    const std::optional<std::string> named = options->Value("Paths", "WinDir");
    if (!named)
        return result;
    const std::optional<std::string> folder = WindowsFolder(*named);
    if (!folder) {
        result.note = path + " names '" + *named + "' as WinDir, which is no Windows folder; using " + windowsDir;
        return result;
    }
    if (SameFolder(*folder, windowsDir))
        return result;
    if (!fileSystem.Exists(*folder)) {
        result.error = path + " names the Windows folder " + *folder + " (WinDir), which is not on the drives " +
                       "given: map drive " + folder->substr(0, 2) + " with --drive, or name the folder with " +
                       "--windows-dir";
        return result;
    }
    result.windowsDir = *folder;
    result.systemDir = *folder + "\\SYSTEM";
    result.note = path + " names the Windows folder " + *folder + " (WinDir): using it and " + result.systemDir;
    return result;
}

}  // namespace platform
