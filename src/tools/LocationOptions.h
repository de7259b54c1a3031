#pragma once
// Where the Windows installation is, for the slot commands: the host's own
// options and defaults.
//   --drive X:=DIR|IMAGE[@N]   a folder or a disk image is drive X:
//   --windows-dir PATH         default C:\WINDOWS (C:\windows in a prefix)
//   --system-dir PATH          default C:\WINDOWS\SYSTEM (C:\windows\system32)
//   --wine-prefix DIR          C: and the other drives of a Wine prefix
// Without --drive or --wine-prefix, C: is the sample drive.

#include <optional>
#include <string>
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

struct LocationInstall {
    std::string problem;             // empty on success, otherwise the one line to print
    std::vector<std::string> notes;  // lines to print even so ("drive C: image '...' is only read ...")
};

// Checks every drive (an image must pass the host's image check) and puts
// the layout in place for the slot rules: the process environment the
// module would see and the file system built from it.
LocationInstall InstallLocation(const LocationChoice& choice);

}  // namespace tools
