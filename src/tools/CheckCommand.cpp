#include "tools/CheckCommand.h"

#include "tools/CommandArguments.h"
#include "tools/LocationOptions.h"
#include "tools/SlotNames.h"
#include "logo/LogoCheck.h"
#include "platform/files/FileApi.h"
#include "slots/BootOptionsFile.h"
#include "slots/BootVerdict.h"
#include "slots/SlotFiles.h"

#include <algorithm>
#include <optional>
#include <ostream>

namespace tools {

namespace {

bool Print(const std::string& name, const std::vector<logo::Finding>& findings, std::ostream& out)
{
    for (const logo::Finding& finding : findings)
        out << name << ": " << finding.code << ": " << finding.text << '\n';
    return logo::HasProblem(findings);
}

// check [LOCATION...] --slot SLOT: the slot's system file where Windows
// reads it, and for the start-up logo what MSDOS.SYS makes of it at boot.
int CheckSlot(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> rest;
    std::string identity;
    if (const auto failed = PrepareLocation(arguments, kCheckUsage, rest, identity, err))
        return *failed;
    const auto slot = rest.size() == 2 && rest[0] == "--slot" ? SlotNamed(rest[1]) : std::nullopt;
    if (!slot)
        return CommandUsageError(err, "check takes --slot startup, preshutdown or shutdown and LOCATION options",
                                 kCheckUsage);
    const SystemLocations locations = DetermineLocations();
    const std::string path = SystemFile(*slot, locations);
    const std::optional<std::string> hostPath =
        platform::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ? platform::ResolveHostPath(path) : std::nullopt;
    std::vector<logo::Finding> findings =
        hostPath ? logo::CheckLogoFile(*hostPath)
                 : std::vector<logo::Finding>{{"unreadable", "the file is missing", logo::FindingWeight::Problem}};
    if (*slot == LogoSlot::StartUp) {
        const std::vector<logo::Finding> boot = BootFindings(ReadBootOptionsFile(locations), path);
        findings.insert(findings.end(), boot.begin(), boot.end());
    }
    return Print(path, findings, out) ? 1 : 0;
}

}  // namespace

int RunCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (std::find(arguments.begin(), arguments.end(), "--slot") != arguments.end())
        return CheckSlot(arguments, out, err);
    if (arguments.empty())
        return CommandUsageError(err, "check needs at least one FILE, or --slot SLOT", kCheckUsage);
    if (ParseLocationOptions(arguments).rest.size() != arguments.size())
        return CommandUsageError(err, "LOCATION options go with --slot SLOT; FILEs are host files", kCheckUsage);
    bool problem = false;
    for (const std::string& file : arguments)
        problem = Print(file, logo::CheckLogoFile(file), out) || problem;
    return problem ? 1 : 0;
}

}  // namespace tools
