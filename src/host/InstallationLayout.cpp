#include "host/InstallationLayout.h"

#include "host/SampleDrive.h"

#include "platform/files/BootWindowsFolder.h"
#include "platform/files/DriveFileSystems.h"
#include "platform/files/ImageDriveCheck.h"
#include "platform/files/QemuDisks.h"
#include "platform/files/WinePrefix.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

namespace host {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDrivePrefix = "LUMIVANE_DRIVE_";

bool DriveOf(const InstallationLayout& layout, const std::string& windowsPath, std::string_view option,
             std::string& error)
{
    if (layout.drives.contains(windowsPath[0]))
        return true;
    error = std::string(option) + " '" + windowsPath + "' is on drive " + windowsPath.substr(0, 2) +
            ", which is not mapped (add --drive " + windowsPath.substr(0, 1) + ":=DIR)";
    return false;
}

// Windows may live elsewhere than C:\WINDOWS; its MSDOS.SYS says where. The
// drives are opened here only for that one read and closed before the
// module opens them itself.
bool FollowBootOptions(InstallationLayout& layout, std::string& error)
{
    platform::DriveTable table;
    for (const auto& [letter, folder] : layout.drives)
        table.Map(letter, folder);
    const platform::BootWindowsFolder found = platform::WindowsFolderFromBootOptions(
        *platform::DriveFileSystems::FromDriveTable(table), layout.windowsDir, layout.systemDir);
    if (!found.error.empty()) {
        error = found.error;
        return false;
    }
    layout.windowsDir = found.windowsDir;
    layout.systemDir = found.systemDir;
    layout.bootNote = found.note;
    return true;
}

}  // namespace

std::optional<InstallationLayout> InstallationLayout::FromOptions(const HostOptions& options, std::string& error)
{
    InstallationLayout layout;
    std::vector<DriveMapping> drives;
    if (options.winePrefix) {
        const auto prefix = platform::ReadWinePrefix(*options.winePrefix, error);
        if (!prefix)
            return std::nullopt;
        for (const auto& [letter, folder] : prefix->drives) {
            if (std::none_of(options.drives.begin(), options.drives.end(),
                             [letter](const DriveMapping& given) { return given.letter == letter; }))
                drives.push_back({letter, folder});
        }
        layout.windowsDir = prefix->windowsDir;
        layout.systemDir = prefix->systemDir;
        if (!options.systemDir)
            layout.systemDirStoredAt = prefix->systemDirStoredAt;
    }
    drives.insert(drives.end(), options.drives.begin(), options.drives.end());
    if (options.windowsDir)
        layout.windowsDir = *options.windowsDir;
    if (options.systemDir)
        layout.systemDir = *options.systemDir;

    if (drives.empty()) {
        const fs::path root = DefaultSampleDriveRoot();
        if (!EnsureSampleDrive(root, error))
            return std::nullopt;
        layout.drives['C'] = root.string();
        layout.sampleDrive = true;
    }
    for (const DriveMapping& drive : drives) {
        std::error_code code;
        if (platform::NamesImageDrive(drive.folder)) {
            const std::string image = "drive " + std::string(1, drive.letter) + ": image '" + drive.folder + "' ";
            const platform::ImageDriveReport report = platform::CheckImageDrive(drive.folder);
            if (!report.problem.empty()) {
                error = image + report.problem;
                return std::nullopt;
            }
            for (const std::string& note : report.notes)
                layout.notes.push_back(image + note);
            layout.drives[drive.letter] = fs::absolute(drive.folder, code).lexically_normal().string();
            continue;
        }
        const fs::path folder = fs::absolute(drive.folder, code);
        if (code || !fs::is_directory(folder, code)) {
            error = "drive " + std::string(1, drive.letter) + ": folder '" + drive.folder + "' " +
                    (fs::exists(folder, code) ? "is not a folder" : "does not exist");
            return std::nullopt;
        }
        layout.drives[drive.letter] = folder.lexically_normal().string();
    }
    if (!options.windowsDir && !options.systemDir && !options.winePrefix && !layout.sampleDrive &&
        !FollowBootOptions(layout, error))
        return std::nullopt;
    if (!DriveOf(layout, layout.windowsDir, "--windows-dir", error) ||
        !DriveOf(layout, layout.systemDir, "--system-dir", error))
        return std::nullopt;
    return layout;
}

void InstallationLayout::ExportToEnvironment() const
{
    // Collect first: unsetenv changes environ under our feet.
    std::vector<std::string> inherited;
    for (char** variable = environ; variable != nullptr && *variable != nullptr; ++variable) {
        const std::string_view text = *variable;
        if (text.starts_with(kDrivePrefix))
            inherited.emplace_back(text.substr(0, text.find('=')));
    }
    for (const std::string& name : inherited)
        ::unsetenv(name.c_str());

    for (const auto& [letter, folder] : drives)
        ::setenv((std::string(kDrivePrefix) + letter).c_str(), folder.c_str(), 1);
    platform::HandOverQemuDisks();
    ::setenv("LUMIVANE_WINDOWS_DIR", windowsDir.c_str(), 1);
    ::setenv("LUMIVANE_SYSTEM_DIR", systemDir.c_str(), 1);
    if (systemDirStoredAt)
        ::setenv("LUMIVANE_SYSTEM_DIR_STORED", systemDirStoredAt->c_str(), 1);
    else
        ::unsetenv("LUMIVANE_SYSTEM_DIR_STORED");
}

}  // namespace host
