#include "tools/LocationOptions.h"

#include "tools/CommandArguments.h"

#include "platform/files/BootWindowsFolder.h"
#include "platform/files/DriveFileSystems.h"
#include "platform/files/ImageDriveCheck.h"
#include "platform/files/SystemFolderRedirect.h"
#include "platform/files/WinePrefix.h"
#include "platform/files/UserDirectories.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

namespace tools {

namespace {

namespace fs = std::filesystem;

bool IsLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

char Upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

std::optional<std::pair<char, std::string>> ParseDrive(const std::string& text)
{
    std::size_t equals = std::string::npos;
    if (text.size() >= 2 && IsLetter(text[0]) && text[1] == '=')
        equals = 1;
    else if (text.size() >= 3 && IsLetter(text[0]) && text[1] == ':' && text[2] == '=')
        equals = 2;
    if (equals == std::string::npos || equals + 1 >= text.size())
        return std::nullopt;
    return std::make_pair(Upper(text[0]), text.substr(equals + 1));
}

std::optional<std::string> ParseWindowsFolder(const std::string& text)
{
    if (text.size() < 3 || !IsLetter(text[0]) || text[1] != ':' || (text[2] != '\\' && text[2] != '/'))
        return std::nullopt;
    std::string folder = text;
    folder[0] = Upper(folder[0]);
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder;
}

std::string CheckedDrive(char letter, const std::string& text, std::string& host)
{
    std::error_code code;
    const std::string drive = "drive " + std::string(1, letter) + ": ";
    if (platform::NamesImageDrive(text)) {
        const std::string problem = platform::ImageDriveProblem(text);
        if (!problem.empty())
            return drive + "image '" + text + "' " + problem;
        host = fs::absolute(text, code).lexically_normal().string();
        return {};
    }
    const fs::path folder = fs::absolute(text, code);
    if (code || !fs::is_directory(folder, code))
        return drive + "folder '" + text + "' " + (fs::exists(folder, code) ? "is not a folder" : "does not exist");
    host = folder.lexically_normal().string();
    return {};
}

}  // namespace

LocationParse ParseLocationOptions(const std::vector<std::string>& arguments)
{
    LocationParse parse;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (name != "--drive" && name != "--windows-dir" && name != "--system-dir" && name != "--wine-prefix") {
            parse.rest.push_back(arguments[i]);
            continue;
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                parse.usageError = name + " needs a value";
                return parse;
            }
            value = arguments[++i];
        }
        LocationChoice& choice = parse.choice;
        if (name == "--drive") {
            const auto drive = ParseDrive(*value);
            if (!drive) {
                parse.usageError = "--drive wants X:=DIR or X:=IMAGE[@N], not '" + *value + "'";
                return parse;
            }
            for (const auto& earlier : choice.drives) {
                if (earlier.first == drive->first) {
                    parse.usageError = "drive " + std::string(1, drive->first) + ": is given twice";
                    return parse;
                }
            }
            choice.drives.push_back(*drive);
        } else if (name == "--wine-prefix") {
            if (choice.winePrefix || value->empty()) {
                parse.usageError = "--wine-prefix wants one folder";
                return parse;
            }
            choice.winePrefix = *value;
        } else {
            const auto folder = ParseWindowsFolder(*value);
            std::optional<std::string>& slot = name == "--windows-dir" ? choice.windowsDir : choice.systemDir;
            if (!folder || slot) {
                parse.usageError = name + " wants one Windows path such as 'C:\\WINDOWS'";
                return parse;
            }
            slot = *folder;
        }
    }
    return parse;
}

InstalledLocation InstallLocation(const LocationChoice& choice)
{
    InstalledLocation installed;
    std::map<char, std::string> texts;
    std::string windowsDir = "C:\\WINDOWS";
    std::string systemDir = "C:\\WINDOWS\\SYSTEM";
    std::optional<std::string> storedAt;
    const bool sampleDrive = !choice.winePrefix && choice.drives.empty();
    if (choice.winePrefix) {
        std::string error;
        const auto prefix = platform::ReadWinePrefix(*choice.winePrefix, error);
        if (!prefix) {
            installed.problem = error;
            return installed;
        }
        texts = prefix->drives;
        windowsDir = prefix->windowsDir;
        systemDir = prefix->systemDir;
        storedAt = prefix->systemDirStoredAt;
    } else if (sampleDrive) {
        texts['C'] = platform::DataHome() + "/lumivane/drive_c";
    }
    for (const auto& [letter, text] : choice.drives)
        texts[letter] = text;
    if (choice.systemDir)
        storedAt.reset();
    windowsDir = choice.windowsDir.value_or(windowsDir);
    systemDir = choice.systemDir.value_or(systemDir);

    platform::DriveTable table;
    for (const auto& [letter, text] : texts) {
        std::string host;
        installed.problem = CheckedDrive(letter, text, host);
        if (!installed.problem.empty())
            return installed;
        table.Map(letter, host);
        installed.identity += std::string(1, letter) + ":=" + host + "\n";
    }
    std::unique_ptr<platform::DriveFileSystems> drives = platform::DriveFileSystems::FromDriveTable(table);
    if (!choice.windowsDir && !choice.systemDir && !choice.winePrefix && !sampleDrive) {
        const platform::BootWindowsFolder found =
            platform::WindowsFolderFromBootOptions(*drives, windowsDir, systemDir);
        if (!found.error.empty()) {
            installed.problem = found.error;
            return installed;
        }
        windowsDir = found.windowsDir;
        systemDir = found.systemDir;
        installed.note = found.note;
    }
    for (const std::string& folder : {windowsDir, systemDir}) {
        if (!table.Folder(folder[0])) {
            installed.problem = "'" + folder + "' is on drive " + folder.substr(0, 2) + ", which is not mapped";
            return installed;
        }
    }
    installed.identity += windowsDir;
    ::setenv("LUMIVANE_WINDOWS_DIR", windowsDir.c_str(), 1);
    ::setenv("LUMIVANE_SYSTEM_DIR", systemDir.c_str(), 1);
    if (storedAt)
        ::setenv("LUMIVANE_SYSTEM_DIR_STORED", storedAt->c_str(), 1);
    else
        ::unsetenv("LUMIVANE_SYSTEM_DIR_STORED");
    // The redirect reads the folders from the environment just set.
    platform::SetFileSystem(platform::WithSystemFolderRedirect(std::move(drives)));
    return installed;
}

std::optional<int> PrepareLocation(const std::vector<std::string>& arguments, std::string_view usageLines,
                                   std::vector<std::string>& rest, std::string& identity, std::ostream& err)
{
    LocationParse parse = ParseLocationOptions(arguments);
    if (!parse.usageError.empty())
        return CommandUsageError(err, parse.usageError, usageLines);
    const InstalledLocation installed = InstallLocation(parse.choice);
    if (!installed.problem.empty()) {
        err << "lumva-logo: " << installed.problem << '\n';
        return 1;
    }
    if (!installed.note.empty())
        err << "lumva-logo: " << installed.note << '\n';
    rest = std::move(parse.rest);
    identity = installed.identity;
    return std::nullopt;
}

}  // namespace tools
