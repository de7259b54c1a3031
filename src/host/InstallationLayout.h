#pragma once
// Where the Windows installation is: the drive table and the Windows and
// system folders. The host plays the operating system here, and hands the
// layout to the module through the environment before loading it, the way
// Wine finds its prefix:
//   LUMIVANE_DRIVE_<LETTER>=<host folder or image>, LUMIVANE_WINDOWS_DIR, LUMIVANE_SYSTEM_DIR,
//   LUMIVANE_SYSTEM_DIR_STORED

#include "host/CommandLine.h"

#include <map>
#include <optional>
#include <string>

namespace host {

struct InstallationLayout {
    std::map<char, std::string> drives;  // letter -> absolute host folder
    std::string windowsDir = "C:\\WINDOWS";
    std::string systemDir = "C:\\WINDOWS\\SYSTEM";
    bool sampleDrive = false;  // drive C: is the sample drive
    // A 64-bit Wine prefix stores the 32-bit system folder elsewhere.
    std::optional<std::string> systemDirStoredAt;
    // Set when the two folders came from MSDOS.SYS (WinDir): the line saying so.
    std::string bootNote;

    // From the command line. Without --drive, drive C: is the sample drive
    // (created when missing). Without --windows-dir, --system-dir and
    // --wine-prefix, MSDOS.SYS in C:\ may name the Windows folder (WinDir). Fails with a reason for a drive folder that is
    // not an existing folder, a Windows or system folder on a drive that is
    // not mapped, or a sample drive that cannot be created.
    static std::optional<InstallationLayout> FromOptions(const HostOptions& options, std::string& error);

    // Replaces every inherited LUMIVANE_DRIVE_* variable, so the module sees
    // exactly this table, and sets the two folders.
    void ExportToEnvironment() const;
};

}  // namespace host
