#include "host/SampleDrive.h"

#include "host/SampleArt.h"
#include "host/SampleEditor.h"
#include "host/SampleHelp.h"

#include "logo/LogoFile.h"
#include "platform/files/FileApi.h"
#include "platform/files/LogoFileWriter.h"
#include "platform/files/UserDirectories.h"

#include <cerrno>
#include <csignal>
#include <fstream>
#include <vector>
#include <unistd.h>

namespace host {

namespace {

namespace fs = std::filesystem;

constexpr const char* kBuildingInfix = ".new-";

bool WriteLogo(const fs::path& path, const SampleLogo& art, bool hidden)
{
    fs::create_directories(path.parent_path());
    logo::ColorTable table{};
    std::copy(art.image.colorTable.begin(), art.image.colorTable.end(), table.begin());
    if (!platform::WriteLogoFile(path.string(), art.image, table, art.animationCount != 0, art.animationCount))
        return false;
    // The system's logo files are hidden on a real Windows drive too.
    if (hidden)
        platform::SetFileAttributesA(path.string(), FILE_ATTRIBUTE_HIDDEN);
    return true;
}

bool WriteText(const fs::path& path, std::string_view text)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out.flush());
}

bool WriteProgram(const fs::path& path, std::string_view script)
{
    if (!WriteText(path, script))
        return false;
    std::error_code code;
    fs::permissions(path, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add, code);
    return !code;
}

bool BuildTree(const fs::path& root)
{
    const fs::path windows = root / "WINDOWS";
    const fs::path defaults = root / "Program Files" / "Plus!" / "Themes" / "Lumivane" / "Default";
    return WriteLogo(root / "LOGO.SYS", DrawStartUpLogo(), true)
        && WriteLogo(windows / "LOGOW.SYS", DrawPreShutDownScreen(), true)
        && WriteLogo(windows / "LOGOS.SYS", DrawShutDownScreen(), true)
        && WriteLogo(defaults / "prshtdwn.dat", DrawDefaultPreShutDownScreen(), false)
        && WriteLogo(defaults / "shtdwn.dat", DrawDefaultShutDownScreen(), false)
        && WriteLogo(windows / "SYSTEM" / "New.tpl", DrawNewLogoTemplate(), false)
        && WriteText(windows / "HELP" / "lumva.hlp", HelpText())
        // The default logo editor is the Windows folder's pbrush.exe.
        && WriteProgram(windows / "PBRUSH.EXE", SampleEditorScript());
}

// Built under this name, renamed into place when complete.
fs::path BuildingFolder(const fs::path& root, pid_t pid)
{
    return root.parent_path() / (root.filename().string() + kBuildingInfix + std::to_string(pid));
}

// Leftovers of first runs that were killed while building: their process is
// gone, so nobody will finish them.
void RemoveAbandonedBuilds(const fs::path& root)
{
    const std::string prefix = root.filename().string() + kBuildingInfix;
    std::error_code code;
    std::vector<fs::path> abandoned;
    for (const fs::directory_entry& entry : fs::directory_iterator(root.parent_path(), code)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix))
            continue;
        const std::string digits = name.substr(prefix.size());
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(digits));
        if (::kill(pid, 0) != 0 && errno == ESRCH)
            abandoned.push_back(entry.path());
    }
    for (const fs::path& path : abandoned)
        fs::remove_all(path, code);
}

}  // namespace

fs::path DefaultSampleDriveRoot()
{
    // The same rule the module's drive table uses when it is given no drive.
    return fs::path(platform::DataHome()) / "lumivane" / "drive_c";
}

bool EnsureSampleDrive(const fs::path& root, std::string& error)
{
    std::error_code code;
    if (fs::exists(root, code))
        return true;
    fs::create_directories(root.parent_path(), code);
    if (code) {
        error = "cannot create " + root.parent_path().string() + ": " + code.message();
        return false;
    }
    RemoveAbandonedBuilds(root);
    const fs::path building = BuildingFolder(root, ::getpid());
    fs::remove_all(building, code);
    bool built = false;
    try {
        built = BuildTree(building);
    } catch (const fs::filesystem_error& failure) {
        error = failure.what();
    }
    if (built) {
        fs::rename(building, root, code);
        // Another first run may have finished just before us: its drive stands.
        if (!code || fs::exists(root)) {
            fs::remove_all(building, code);
            return true;
        }
        error = "cannot create " + root.string() + ": " + code.message();
    } else if (error.empty()) {
        error = "cannot write the sample drive under " + building.string();
    }
    fs::remove_all(building, code);
    return false;
}

}  // namespace host
