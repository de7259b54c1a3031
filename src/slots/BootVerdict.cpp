#include "slots/BootVerdict.h"

#include <cctype>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace {

// Drive letters are ASCII (and toupper would be one more import for the
// Windows 98 build).
char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Letter(char c)
{
    return std::string(1, c);
}

// Pieces appended in order: GCC 12 warns wrongly (-Wrestrict) about
// "literal" + a temporary string.
std::string Join(std::initializer_list<std::string_view> pieces)
{
    std::string text;
    for (const std::string_view piece : pieces)
        text += piece;
    return text;
}

// What the file says about the start-up logo, worked out once for the
// findings, the slots line and the status line.
struct Verdict {
    bool noOptions = false;    // no MSDOS.SYS
    bool unreadable = false;
    bool dosKernel = false;
    bool noGui = false;        // BootGUI=0
    bool logoOff = false;      // Logo=0
    std::optional<char> host;  // HostWinBootDrv names another drive: the boot drive is compressed
    bool elsewhere = false;    // the start-up file is not on the drive Windows boots from

    bool Stops() const { return noGui || logoOff || elsewhere || dosKernel; }
};

Verdict Judge(const BootOptionsFile& file, const std::string& startUpFile)
{
    Verdict verdict;
    verdict.noOptions = file.state == BootOptionsFile::State::Missing;
    verdict.unreadable = file.state == BootOptionsFile::State::Unreadable;
    if (file.state != BootOptionsFile::State::Read)
        return verdict;
    const platform::BootOptions& options = *file.options;
    verdict.dosKernel = options.Kind() == platform::BootOptionsKind::DosBinary;
    if (verdict.dosKernel)
        return verdict;
    verdict.noGui = options.IsOff("Options", "BootGUI");
    verdict.logoOff = options.IsOff("Options", "Logo");
    const std::optional<std::string> host = options.Value("Paths", "HostWinBootDrv");
    if (host && !host->empty() && std::isalpha(static_cast<unsigned char>((*host)[0])) &&
        Upper((*host)[0]) != Upper(file.path[0]))
        verdict.host = Upper((*host)[0]);
    // Windows reads LOGO.SYS from the root of the drive it boots from, the
    // one that holds MSDOS.SYS, wherever its own folder is.
    verdict.elsewhere = !startUpFile.empty() && Upper(startUpFile[0]) != Upper(file.path[0]);
    return verdict;
}

logo::Finding Problem(std::string code, std::string text)
{
    return {std::move(code), std::move(text), logo::FindingWeight::Problem};
}

logo::Finding Advice(std::string code, std::string text)
{
    return {std::move(code), std::move(text), logo::FindingWeight::Advice};
}

}  // namespace

std::vector<logo::Finding> BootFindings(const BootOptionsFile& file, const std::string& startUpFile)
{
    const Verdict verdict = Judge(file, startUpFile);
    std::vector<logo::Finding> findings;
    if (verdict.unreadable)
        findings.push_back(
            Advice("boot-unreadable", file.path + " " + file.problem + ", so what Windows does at boot is not known"));
    if (verdict.dosKernel)
        findings.push_back(Advice("boot-dos-kernel", file.path + " is the MS-DOS kernel, not Windows's boot options: "
                                                     "this drive boots MS-DOS, which shows no start-up logo (after a "
                                                     "boot into the previous MS-DOS, Windows's own MSDOS.SYS waits as "
                                                     "MSDOS.W40)"));
    if (verdict.noGui)
        findings.push_back(Problem("boot-gui-off", file.path + " has BootGUI=0 in [Options]: Windows stops at the "
                                                             "DOS prompt and never reaches the start-up logo; "
                                                             "BootGUI=1 starts Windows itself"));
    if (verdict.logoOff)
        findings.push_back(Problem("boot-logo-off", file.path + " has Logo=0 in [Options], which turns the start-up "
                                                              "logo off; lumva-logo boot --logo on turns it on"));
    if (verdict.host)
        findings.push_back(Advice("boot-host-drive", file.path + " names " + Letter(*verdict.host) +
                                                         " as HostWinBootDrv: the boot drive is compressed, and "
                                                         "Windows reads the start-up logo from the root of its host "
                                                         "drive (" + Letter(*verdict.host) +
                                                         ": while Windows runs), beside MSDOS.SYS"));
    if (verdict.elsewhere)
        findings.push_back(Problem("boot-drive", Join({"Windows reads the start-up logo from the root of the drive "
                                                       "that holds ",
                                                       file.path, ", not from ", startUpFile})));
    return findings;
}

std::string BootLine(const BootOptionsFile& file, const std::string& startUpFile)
{
    const Verdict verdict = Judge(file, startUpFile);
    if (verdict.noOptions)
        return file.path + " missing";
    if (verdict.unreadable)
        return file.path + " present error: " + file.problem;
    if (verdict.dosKernel)
        return file.path + " present dos-kernel";
    std::string line = file.path + " present logo=";
    if (verdict.noGui)
        line += verdict.logoOff ? "never (BootGUI=0, Logo=0)" : "never (BootGUI=0)";
    else
        line += verdict.logoOff ? "off (Logo=0)" : "shown";
    if (verdict.host)
        line += Join({" host-drive=", Letter(*verdict.host)});
    if (verdict.elsewhere)
        line += Join({" read-from=", file.path.substr(0, 3)});
    return line;
}

BootSentence DescribeBoot(const BootOptionsFile& file, const std::string& startUpFile)
{
    const Verdict verdict = Judge(file, startUpFile);
    BootSentence sentence{{}, verdict.Stops()};
    const auto add = [&sentence](const std::string& text) { sentence.text += (sentence.text.empty() ? "" : " ") + text; };
    if (verdict.noOptions)
        return sentence;
    if (verdict.unreadable)
        add(file.path + " cannot be read.");
    if (verdict.dosKernel)
        add(file.path + " is the MS-DOS kernel, which shows no logo.");
    if (verdict.noGui)
        add(Join({"BootGUI=0 in ", file.path, " stops at the DOS prompt before the logo."}));
    if (verdict.logoOff)
        add(Join({"Logo=0 in ", file.path, " turns the logo off."}));
    if (verdict.elsewhere)
        add(Join({"Windows reads the logo from ", file.path.substr(0, 3), ", not ", startUpFile, "."}));
    if (verdict.host)
        add(Join({"The boot drive is compressed: Windows reads the logo from its host drive ", Letter(*verdict.host),
                  ":."}));
    if (sentence.text.empty())
        add(Join({"Windows shows the logo (", file.path, ")."}));
    return sentence;
}
