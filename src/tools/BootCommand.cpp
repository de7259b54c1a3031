#include "tools/BootCommand.h"

#include "tools/CommandArguments.h"
#include "tools/LocationOptions.h"
#include "tools/SlotCommands.h"
#include "slots/BootOptionsFile.h"
#include "slots/BootVerdict.h"
#include "slots/SlotFiles.h"

#include <optional>
#include <ostream>

namespace tools {

namespace {

struct ShownOption {
    const char* section;
    const char* key;
};

constexpr ShownOption kShownOptions[] = {
    {"Paths", "WinDir"}, {"Paths", "WinBootDir"}, {"Paths", "HostWinBootDrv"},
    {"Options", "BootGUI"}, {"Options", "Logo"},
};

void PrintOptions(const BootOptionsFile& file, const std::string& startUpFile, std::ostream& out)
{
    if (file.state == BootOptionsFile::State::Read && file.options->Kind() == platform::BootOptionsKind::Text) {
        out << file.path << " attributes=" << HexAttributes(file.attributes) << '\n';
        for (const ShownOption& shown : kShownOptions) {
            const std::optional<std::string> value = file.options->Value(shown.section, shown.key);
            out << "  [" << shown.section << "] " << shown.key << (value ? "=" + *value : " (not set)") << '\n';
        }
    }
    out << "boot: " << BootLine(file, startUpFile) << '\n';
}

// Why there is nothing to change, for a refused --logo.
std::string RefusalReason(const BootOptionsFile& file)
{
    if (file.state == BootOptionsFile::State::Missing)
        return file.path + " is missing: there are no Windows boot options here";
    if (file.state == BootOptionsFile::State::Unreadable)
        return file.path + " " + file.problem;
    return file.path + " is the MS-DOS kernel, not Windows's boot options; it is left alone";
}

}  // namespace

int RunBootCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> rest;
    std::string identity;
    if (const auto failed = PrepareLocation(arguments, kSlotUsage, rest, identity, err))
        return *failed;
    std::optional<bool> logoOn;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] != "--logo")
            return CommandUsageError(err, "boot does not take '" + rest[i] + "'", kSlotUsage);
        if (logoOn || i + 1 >= rest.size() || (rest[i + 1] != "on" && rest[i + 1] != "off"))
            return CommandUsageError(err, "--logo takes on or off, once", kSlotUsage);
        logoOn = rest[++i] == "on";
    }

    const SystemLocations locations = DetermineLocations();
    BootOptionsFile file = ReadBootOptionsFile(locations);
    int status = 0;
    if (logoOn) {
        const std::string setting = std::string("Logo=") + (*logoOn ? "1" : "0");
        switch (SetBootLogo(file, *logoOn)) {
        case BootLogoChange::Changed:
            out << file.path << ": " << setting << " written\n";
            break;
        case BootLogoChange::ChangedAttributesLost:
            out << file.path << ": " << setting << " written\n";
            err << "lumva-logo: " << file.path << ": its attributes (" << HexAttributes(file.attributes)
                << ") could not be put back\n";
            status = 1;
            break;
        case BootLogoChange::Unchanged:
            out << file.path << ": the start-up logo is already " << (*logoOn ? "on" : "off") << '\n';
            break;
        case BootLogoChange::Refused:
            err << "lumva-logo: " << RefusalReason(file) << '\n';
            status = 1;
            break;
        case BootLogoChange::Failed:
            err << "lumva-logo: " << file.path << " could not be replaced; it is as it was\n";
            status = 1;
            break;
        }
        file = ReadBootOptionsFile(locations);
    }
    PrintOptions(file, SystemFile(LogoSlot::StartUp, locations), out);
    return status;
}

}  // namespace tools
