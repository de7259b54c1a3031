#pragma once
// The command line of lumivane, the Control Panel host:
//
//   lumivane [--drive X:=DIR|IMAGE[@N]]... [--wine-prefix DIR] [--windows-dir PATH]
//            [--system-dir PATH] [--screenshot PNG] [--module-info] [MODULE]
//   lumivane --help
//
//   --drive X:=DIR       drive letter X (A-Z, either case; "X=DIR" works too)
//                        is the host folder DIR, or the FAT volume inside the
//                        disk image IMAGE (partition N). Repeatable, once per letter.
//   --wine-prefix DIR    the drives and folders of a Wine prefix.
//                        Without any --drive, drive C: is the sample drive.
//   --windows-dir PATH   the Windows folder as Windows names it, e.g.
//                        'C:\WINDOWS' (the default), with or without a
//                        trailing backslash.
//   --system-dir PATH    the system folder, default 'C:\WINDOWS\SYSTEM'.
//   --screenshot PNG     open the main dialog, let it paint, save its client
//                        area as PNG and close it.
//   --module-info        print the module's version information and its
//                        item's name and description; the module is not run.
//   MODULE               the applet file; default lumva.cpl beside lumivane
//                        (or ../lib/lumivane/lumva.cpl when installed).
//   --                   ends the options (for a MODULE starting with '-').
//
// Every option taking a value also accepts --option=VALUE. Single-valued
// options may appear once. A bad command line is exit status 2.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace host {

struct DriveMapping {
    char letter = 'C';   // always upper case
    std::string folder;  // as given
};

struct HostOptions {
    std::vector<DriveMapping> drives;
    std::optional<std::string> windowsDir;
    std::optional<std::string> systemDir;
    std::optional<std::string> winePrefix;
    std::optional<std::string> screenshotPath;
    std::optional<std::string> modulePath;
    bool moduleInfo = false;
    bool help = false;
};

class CommandLineParser {
public:
    struct Result {
        std::optional<HostOptions> options;  // empty when the line is bad
        std::string error;                   // why, when it is bad
    };

    // The arguments after the program name.
    static Result Parse(std::span<const std::string> arguments);

    static std::string_view Usage();
};

}  // namespace host
