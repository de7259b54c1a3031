#include "tools/SlotCommands.h"

#include "tools/CommandArguments.h"
#include "tools/LocationOptions.h"
#include "tools/SlotNames.h"
#include "logo/BmpReader.h"
#include "logo/LogoFile.h"
#include "platform/files/FileApi.h"
#include "resources/ResourceIds.h"
#include "resources/StringTable.h"
#include "slots/ApplyLogos.h"
#include "slots/BootOptionsFile.h"
#include "slots/BootVerdict.h"
#include "slots/SaveLogo.h"
#include "slots/SlotFiles.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>

namespace tools {

namespace {

std::optional<int> PrepareLocation(const std::vector<std::string>& arguments, std::vector<std::string>& rest,
                                   std::ostream& err)
{
    std::string identity;
    return tools::PrepareLocation(arguments, kSlotUsage, rest, identity, err);
}

std::string DescribeSlotFile(const std::string& path)
{
    const DWORD attributes = platform::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return "missing";
    const std::optional<std::string> hostPath = platform::ResolveHostPath(path);
    if (!hostPath)
        return "present error: the file cannot be read";
    const logo::HeaderResult read = logo::ReadBmpFileHeader(*hostPath);
    if (!read)
        return "present error: " + read.error.reason;
    const logo::BmpHeader& header = *read.header;
    const bool isLogo = logo::IsLogoFile(*hostPath);
    std::uint8_t count = 0;
    logo::ReadAnimationCount(*hostPath, count);
    return "present width=" + std::to_string(header.width) + " height=" + std::to_string(header.height) +
           " bits=" + std::to_string(header.bitsPerPixel) + " logo=" + (isLogo ? "yes" : "no") +
           " animated=" + std::to_string(count) + " attributes=" + HexAttributes(attributes);
}

}  // namespace

int RunSlotsCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> rest;
    if (const auto failed = PrepareLocation(arguments, rest, err))
        return *failed;
    if (!rest.empty())
        return CommandUsageError(err, "slots takes only LOCATION options, not '" + rest.front() + "'", kSlotUsage);
    const SystemLocations locations = DetermineLocations();
    std::vector<std::string> paths;
    for (LogoSlot slot : kAllLogoSlots)
        paths.push_back(SystemFile(slot, locations));
    platform::ReadAheadFiles(paths);
    for (std::size_t i = 0; i < paths.size(); ++i)
        out << SlotName(kAllLogoSlots[i]) << ": " << paths[i] << ' ' << DescribeSlotFile(paths[i]) << '\n';
    out << "boot: " << BootLine(ReadBootOptionsFile(locations), SystemFile(LogoSlot::StartUp, locations)) << '\n';
    return 0;
}

int RunApplyCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> rest;
    if (const auto failed = PrepareLocation(arguments, rest, err))
        return *failed;
    std::array<std::optional<std::string>, kLogoSlotCount> chosen;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& option = rest[i];
        const auto slot = option.starts_with("--") ? SlotNamed(std::string_view(option).substr(2)) : std::nullopt;
        if (!slot)
            return CommandUsageError(err, "apply does not take '" + option + "'", kSlotUsage);
        if (i + 1 >= rest.size())
            return CommandUsageError(err, option + " needs FILE or default", kSlotUsage);
        if (chosen[SlotIndex(*slot)])
            return CommandUsageError(err, option + " is given twice", kSlotUsage);
        chosen[SlotIndex(*slot)] = rest[++i];
    }

    const SystemLocations locations = DetermineLocations();
    PendingSources pending;
    // Every source is checked before anything is touched.
    for (LogoSlot slot : kAllLogoSlots) {
        const auto& source = chosen[SlotIndex(slot)];
        if (!source)
            continue;
        if (*source == "default") {
            PendingFor(pending, slot) = DefaultSource(slot, locations);
            continue;
        }
        if (!logo::IsLogoFile(*source)) {
            err << *source << ": not a logo\n";
            return 1;
        }
        // A host file named relative to the working folder; Apply's paths
        // are Windows paths or absolute host paths.
        std::error_code code;
        const std::string absolute = std::filesystem::absolute(*source, code).lexically_normal().string();
        PendingFor(pending, slot) = code ? *source : absolute;
    }

    const ApplyOutcome outcome = ApplyPendingSources(pending, locations);
    for (LogoSlot slot : kAllLogoSlots) {
        const std::string target = ApplyTarget(slot, locations);
        const bool failed = std::find(outcome.failedTargets.begin(), outcome.failedTargets.end(), target) !=
                            outcome.failedTargets.end();
        const auto& source = chosen[SlotIndex(slot)];
        if (!source || failed)
            continue;
        const bool removed = slot == LogoSlot::StartUp && *source == "default";
        out << target << (removed ? ": deleted\n" : ": changed\n");
    }
    if (outcome.failedTargets.empty())
        return 0;
    err << res::FindTableString(res::IDS_LOGO_FILES_NOT_CHANGED).value_or("") << '\n';
    for (const std::string& target : outcome.failedTargets)
        err << target << '\n';
    return 1;
}

int RunSaveCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    static_cast<void>(out);
    std::vector<std::string> rest;
    if (const auto failed = PrepareLocation(arguments, rest, err))
        return *failed;
    if (rest.size() != 2)
        return CommandUsageError(err, "save needs SLOT and OUT", kSlotUsage);
    const auto slot = SlotNamed(rest[0]);
    if (!slot)
        return CommandUsageError(err, "SLOT is startup, preshutdown or shutdown, not '" + rest[0] + "'", kSlotUsage);
    std::error_code code;
    const std::string target = std::filesystem::absolute(rest[1], code).string();
    const std::string source = SystemFile(*slot, DetermineLocations());
    if (code || !SaveLogoToFile(source, target)) {
        err << "lumva-logo: " << source << ": " << res::FindTableString(res::IDS_FILE_NOT_SAVED).value_or("") << '\n';
        return 1;
    }
    return 0;
}

}  // namespace tools
