#include "platform/files/WinePrefix.h"

#include "platform/files/DirectoryLookup.h"

#include <cctype>
#include <filesystem>

namespace platform {

namespace fs = std::filesystem;

std::optional<WinePrefixLayout> ReadWinePrefix(const std::string& prefix, std::string& error)
{
    std::error_code code;
    const fs::path root = fs::absolute(prefix, code).lexically_normal();
    if (code || !fs::is_directory(root / "drive_c", code)) {
        error = "'" + prefix + "' is no Wine prefix (it has no drive_c folder)";
        return std::nullopt;
    }
    WinePrefixLayout layout;
    for (const auto& entry : fs::directory_iterator(root / "dosdevices", code)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != 2 || name[1] != ':' || !std::isalpha(static_cast<unsigned char>(name[0])))
            continue;
        const fs::path target = fs::weakly_canonical(entry.path(), code);
        if (!code && fs::is_directory(target, code))
            layout.drives[static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])))] = target.string();
    }
    layout.drives['C'] = (root / "drive_c").string();
    // Wine spells the folders in lower case, but a copied tree may not.
    const fs::path windows = root / "drive_c" / FindNameIgnoringCase((root / "drive_c").string(), "windows").value_or("windows");
    if (const auto wow = FindNameIgnoringCase(windows.string(), "syswow64"); wow && fs::is_directory(windows / *wow, code))
        layout.systemDirStoredAt = "C:\\windows\\" + *wow;
    return layout;
}

}  // namespace platform
