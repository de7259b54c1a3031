#pragma once
// A Wine prefix as the drive table of a Windows installation: C: is
// PREFIX/drive_c, the other letters are the links in PREFIX/dosdevices
// ("d:" -> a folder; "d::" names a raw device and is skipped). The Windows
// folder is C:\windows; the system folder is the one a 32-bit program sees,
// C:\windows\system32, which a 64-bit prefix stores in windows/syswow64.

#include <map>
#include <optional>
#include <string>

namespace platform {

struct WinePrefixLayout {
    std::map<char, std::string> drives;  // upper-case letter -> host folder
    std::string windowsDir = "C:\\windows";
    std::string systemDir = "C:\\windows\\system32";
    // In a 64-bit prefix: where the system folder's files really are.
    std::optional<std::string> systemDirStoredAt;
};

// nullopt with a reason when the folder holds no drive_c.
std::optional<WinePrefixLayout> ReadWinePrefix(const std::string& prefix, std::string& error);

}  // namespace platform
