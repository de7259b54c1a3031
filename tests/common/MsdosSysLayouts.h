#pragma once
// MSDOS.SYS as Windows 95 and Windows 98 Setup write it, from the documented
// layout: [Paths] then [Options], CRLF line ends, and ";" lines of x's
// lettered a to s that keep the file above 1024 bytes.

#include <string>
#include <vector>

namespace testing_support {

inline std::string CrlfLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

inline std::vector<std::string> PaddingLines(std::size_t width)
{
    std::vector<std::string> lines = {
        ";",
        ";The following lines are required for compatibility with other programs.",
        ";Do not remove them (MSDOS.SYS needs to be >1024 bytes).",
    };
    for (char letter = 'a'; letter <= 's'; ++letter) {
        std::string line(1, ';');
        line.append(width, 'x');
        lines.push_back(line + letter);
    }
    return lines;
}

inline std::string Windows95MsdosSys()
{
    std::vector<std::string> lines = {
        "[Paths]", "WinDir=C:\\WINDOWS", "WinBootDir=C:\\WINDOWS", "HostWinBootDrv=C", "UninstallDir=C:\\",
        "",        "[Options]",          "BootGUI=1",              "Network=1",
    };
    const std::vector<std::string> padding = PaddingLines(70);
    lines.insert(lines.end(), padding.begin(), padding.end());
    return CrlfLines(lines);
}

inline std::string Windows98MsdosSys()
{
    std::vector<std::string> lines = {
        "[Paths]",   "WinDir=C:\\WINDOWS", "WinBootDir=C:\\WINDOWS", "HostWinBootDrv=C", "",
        "[Options]", "BootMulti=1",        "BootGUI=1",              "DoubleBuffer=1",   "AutoScan=1",
        "WinVer=4.10.1998",
    };
    const std::vector<std::string> padding = PaddingLines(69);
    lines.insert(lines.end(), padding.begin(), padding.end());
    return CrlfLines(lines);
}

// The first bytes of a DOS kernel file: nothing Windows's text file holds.
inline std::string DosKernelMsdosSys()
{
    std::string bytes("\xE9\x2F\x00\x00MSDOS.SYS kernel", 20);
    bytes.append(2048, '\0');
    return bytes;
}

}  // namespace testing_support
