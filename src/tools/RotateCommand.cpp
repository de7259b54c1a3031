#include "tools/RotateCommand.h"

#include "tools/CommandArguments.h"
#include "tools/LocationOptions.h"
#include "tools/LogoGallery.h"
#include "tools/SlotCommands.h"
#include "tools/SlotNames.h"
#include "platform/settings/SettingsFile.h"
#include "resources/ResourceIds.h"
#include "resources/StringTable.h"
#include "slots/ApplyLogos.h"
#include "slots/SlotFiles.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace tools {

namespace {

// lumva-logo keeps its own file beside the applet's in the store.
constexpr const char* kProductKey = "Lumivane";
constexpr const char* kStoreName = "lumva-logo";
constexpr const char* kRotateSection = "Rotate";

struct RotateOptions {
    std::string gallery;
    bool random = false;
    LogoSlot slot = LogoSlot::StartUp;
};

// "--name VALUE" or "--name=VALUE" at rest[i]; advances i past it.
std::optional<std::string> OptionValue(const std::vector<std::string>& rest, std::size_t& i, std::string_view name)
{
    const std::string& argument = rest[i];
    if (argument == name)
        return i + 1 < rest.size() ? std::optional<std::string>(rest[++i]) : std::nullopt;
    if (argument.size() > name.size() && argument.starts_with(name) && argument[name.size()] == '=')
        return argument.substr(name.size() + 1);
    return std::nullopt;
}

std::optional<std::string> ParseOptions(const std::vector<std::string>& rest, RotateOptions& options)
{
    bool modeGiven = false;
    bool slotGiven = false;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& argument = rest[i];
        if (argument == "--random" || argument == "--next") {
            if (modeGiven)
                return "--random and --next go alone, once";
            modeGiven = true;
            options.random = argument == "--random";
        } else if (argument.starts_with("--gallery")) {
            const auto value = OptionValue(rest, i, "--gallery");
            if (!value || value->empty() || !options.gallery.empty())
                return "--gallery takes one folder";
            options.gallery = *value;
        } else if (argument.starts_with("--slot")) {
            const auto value = OptionValue(rest, i, "--slot");
            const auto slot = value ? SlotNamed(*value) : std::nullopt;
            if (!slot || slotGiven)
                return "--slot takes startup, preshutdown or shutdown, once";
            slotGiven = true;
            options.slot = *slot;
        } else {
            return "rotate does not take '" + argument + "'";
        }
    }
    if (options.gallery.empty())
        return "rotate needs --gallery DIR";
    return std::nullopt;
}

}  // namespace

int RunRotateCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> rest;
    std::string installation;
    if (const auto failed = PrepareLocation(arguments, kSlotUsage, rest, installation, err))
        return *failed;
    RotateOptions options;
    if (const auto problem = ParseOptions(rest, options))
        return CommandUsageError(err, *problem, kSlotUsage);

    std::string error;
    const LogoGallery gallery = ReadLogoGallery(options.gallery, error);
    if (!error.empty()) {
        err << "lumva-logo: " << error << '\n';
        return 1;
    }
    for (const std::string& skipped : gallery.skipped)
        err << "lumva-logo: skipped " << skipped << '\n';
    if (gallery.logos.empty()) {
        err << "lumva-logo: the gallery " << gallery.folder << " holds no logo\n";
        return 1;
    }

    // One memory per slot, installation and gallery: two machines sharing a
    // gallery each walk it on their own.
    platform::SettingsFile store(kProductKey, kStoreName);
    const std::string entry = std::string(SlotName(options.slot)) + " " + gallery.folder + "\n" + installation;
    const std::string last = store.ReadString(kRotateSection, entry, "");
    std::mt19937 random(std::random_device{}());
    const std::string& chosen =
        options.random ? RandomLogo(gallery.logos, last, random) : NextLogo(gallery.logos, last);
    const std::string source = (std::filesystem::path(gallery.folder) / chosen).string();

    const SystemLocations locations = DetermineLocations();
    PendingSources pending;
    PendingFor(pending, options.slot) = source;
    const ApplyOutcome outcome = ApplyPendingSources(pending, locations);
    const std::string target = ApplyTarget(options.slot, locations);
    if (!outcome.failedTargets.empty()) {
        err << res::FindTableString(res::IDS_LOGO_FILES_NOT_CHANGED).value_or("") << '\n' << target << '\n';
        return 1;
    }
    out << target << ": " << source << '\n';
    if (!store.WriteString(kRotateSection, entry, chosen))
        err << "lumva-logo: the choice could not be remembered in " << store.FilePath()
            << "; the next rotation may pick it again\n";
    return 0;
}

}  // namespace tools
