#pragma once
// Where the Windows installation is, for the slot commands: the host's own
// options and defaults.
//   --drive X:=DIR|IMAGE[@N]   a folder or a disk image is drive X:
//   --windows-dir PATH         default C:\WINDOWS (C:\windows in a prefix)
//   --system-dir PATH          default C:\WINDOWS\SYSTEM (C:\windows\system32)
//   --wine-prefix DIR          C: and the other drives of a Wine prefix
// Without --drive or --wine-prefix, C: is the sample drive.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

struct LocationChoice {
    std::vector<std::pair<char, std::string>> drives;
    std::optional<std::string> windowsDir;
    std::optional<std::string> systemDir;
    std::optional<std::string> winePrefix;
};

struct LocationParse {
    LocationChoice choice;
    std::vector<std::string> rest;  // the arguments that are no location option
    std::string usageError;         // non-empty for a bad location option
};

// Location options may stand anywhere among the command's own arguments.
LocationParse ParseLocationOptions(const std::vector<std::string>& arguments);

struct InstalledLocation {
    std::string problem;   // non-empty: the one line to print; the location is unusable
    std::string note;      // MSDOS.SYS named the Windows folder: the line saying so
    std::string identity;  // the drives and the Windows folder as one text
};

// Checks every drive (an image must pass the host's image check) and puts
// the layout in place for the slot rules: the process environment the
// module would see and the file system built from it. Without
// --windows-dir, --system-dir and --wine-prefix, the Windows folder is the
// one MSDOS.SYS names (WinDir), when it names one.
InstalledLocation InstallLocation(const LocationChoice& choice);

// ParseLocationOptions and InstallLocation for a command: nullopt when the
// location is in place (the command's other arguments in rest), otherwise
// the exit status after the message (2 for bad usage, with usageLines).
std::optional<int> PrepareLocation(const std::vector<std::string>& arguments, std::string_view usageLines,
                                   std::vector<std::string>& rest, std::string& identity, std::ostream& err);

}  // namespace tools
