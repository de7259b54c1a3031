#include "host/CommandLine.h"

#include <cctype>

namespace host {

namespace {

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char Upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// "X:=DIR" or "X=DIR".
std::optional<DriveMapping> ParseDrive(std::string_view text, std::string& error)
{
    std::size_t equals = std::string_view::npos;
    if (text.size() >= 2 && IsLetter(text[0]) && text[1] == '=')
        equals = 1;
    else if (text.size() >= 3 && IsLetter(text[0]) && text[1] == ':' && text[2] == '=')
        equals = 2;
    if (equals == std::string_view::npos) {
        error = "--drive wants X:=DIR with a drive letter A-Z, not '" + std::string(text) + "'";
        return std::nullopt;
    }
    DriveMapping mapping{Upper(text[0]), std::string(text.substr(equals + 1))};
    if (mapping.folder.empty()) {
        error = "--drive " + std::string(1, mapping.letter) + ": names no folder";
        return std::nullopt;
    }
    return mapping;
}

// A Windows path with a drive: "C:\WINDOWS". Trailing separators go, since
// the applet appends "\name" itself; the root keeps its one.
std::optional<std::string> ParseWindowsFolder(std::string_view option, std::string_view text, std::string& error)
{
    if (text.size() < 3 || !IsLetter(text[0]) || text[1] != ':' || (text[2] != '\\' && text[2] != '/')) {
        error = std::string(option) + " wants a Windows path such as 'C:\\WINDOWS', not '" + std::string(text) + "'";
        return std::nullopt;
    }
    std::string folder(text);
    folder[0] = Upper(folder[0]);
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder;
}

bool TakesValue(std::string_view name)
{
    return name == "--drive" || name == "--windows-dir" || name == "--system-dir" || name == "--screenshot" ||
           name == "--wine-prefix";
}

}  // namespace

CommandLineParser::Result CommandLineParser::Parse(std::span<const std::string> arguments)
{
    HostOptions options;
    Result bad;
    auto fail = [&bad](std::string why) {
        bad.error = std::move(why);
        return bad;
    };
    auto setOnce = [](std::optional<std::string>& slot, std::string value) {
        if (slot)
            return false;
        slot = std::move(value);
        return true;
    };

    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
            if (!setOnce(options.modulePath, argument))
                return fail("more than one MODULE given: '" + *options.modulePath + "' and '" + argument + "'");
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            continue;
        }

        std::string name = argument;
        std::optional<std::string> value;
        if (const std::size_t equals = argument.find('='); argument.starts_with("--") && equals != std::string::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        }
        if (name == "--module-info") {
            if (value)
                return fail("--module-info takes no value; give the module as MODULE");
            options.moduleInfo = true;
            continue;
        }
        if (!TakesValue(name))
            return fail("unknown option '" + name + "'");
        if (!value) {
            if (i + 1 >= arguments.size())
                return fail(name + " needs a value");
            value = arguments[++i];
        }

        std::string error;
        if (name == "--drive") {
            const std::optional<DriveMapping> mapping = ParseDrive(*value, error);
            if (!mapping)
                return fail(error);
            for (const DriveMapping& earlier : options.drives)
                if (earlier.letter == mapping->letter)
                    return fail("drive " + std::string(1, mapping->letter) + ": is given twice");
            options.drives.push_back(*mapping);
        } else if (name == "--wine-prefix") {
            if (value->empty())
                return fail("--wine-prefix needs a folder");
            if (!setOnce(options.winePrefix, *value))
                return fail("--wine-prefix is given twice");
        } else if (name == "--screenshot") {
            if (value->empty())
                return fail("--screenshot needs a file name");
            if (!setOnce(options.screenshotPath, *value))
                return fail("--screenshot is given twice");
        } else {
            const std::optional<std::string> folder = ParseWindowsFolder(name, *value, error);
            if (!folder)
                return fail(error);
            if (!setOnce(name == "--windows-dir" ? options.windowsDir : options.systemDir, *folder))
                return fail(name + " is given twice");
        }
    }
    if (options.moduleInfo && options.screenshotPath)
        return fail("--module-info and --screenshot do not go together: --module-info does not run the module");
    return {std::move(options), {}};
}

std::string_view CommandLineParser::Usage()
{
    // README.md shows this text as it stands; a test keeps the two equal.
    return "usage: lumivane [--drive X:=DIR|IMAGE[@N]]... [--wine-prefix DIR] [--windows-dir PATH]\n"
           "                [--system-dir PATH] [--screenshot PNG] [--module-info] [MODULE]\n"
           "\n"
           "Opens the Lumivane Control Panel applet on a Windows installation.\n"
           "\n"
           "  --drive X:=DIR       host folder DIR is drive X: (repeatable, one per letter);\n"
           "                       without it drive C: is the sample drive\n"
           "                       $XDG_DATA_HOME/lumivane/drive_c, created on first run\n"
           "  --drive X:=IMAGE[@N] the FAT volume in disk image IMAGE (raw, VHD, VDI, VMDK,\n"
           "                       qcow2) is drive X:; N picks partition N\n"
           "  --wine-prefix DIR    the drives of Wine prefix DIR, C:\\windows and the\n"
           "                       system folder a 32-bit program sees there\n"
           "  --windows-dir PATH   the Windows folder, default the one C:\\MSDOS.SYS names\n"
           "                       (WinDir), else 'C:\\WINDOWS'\n"
           "  --system-dir PATH    the system folder, default WinDir\\SYSTEM or\n"
           "                       'C:\\WINDOWS\\SYSTEM'\n"
           "  --screenshot PNG     save the main dialog as PNG and close it\n"
           "  --module-info        print the module's version information, name and\n"
           "                       description without running it\n"
           "  MODULE               the applet, default lumva.cpl beside lumivane\n"
           "                       (../lib/lumivane/lumva.cpl when installed)\n"
           "  --                   ends the options, for a MODULE that starts with '-'\n"
           "  -h, --help           this text\n"
           "\n"
           "Exit status: 0 done; 1 the module could not be loaded or refused to start,\n"
           "a drive folder does not exist, a drive image is unusable, MSDOS.SYS names\n"
           "a Windows folder on a drive not given, there is no display, or the\n"
           "screenshot failed;\n"
           "2 bad usage.\n"
           "\n"
           "Examples:\n"
           "  lumivane --drive C:=/mnt/win98\n"
           "  lumivane --drive C:=$HOME/vm/win98.img@1\n"
           "  lumivane --wine-prefix $HOME/.wine\n"
           "  lumivane --drive C:=$HOME/.wine/drive_c --windows-dir 'C:\\windows' \\\n"
           "           --system-dir 'C:\\windows\\system32'\n";
}

}  // namespace host
