#include "tools/LogoCommand.h"

#include "tools/BootCommand.h"
#include "tools/CheckCommand.h"
#include "tools/ExportCommand.h"
#include "tools/ImportCommand.h"
#include "tools/RotateCommand.h"
#include "tools/SlotCommands.h"
#include "logo/Animation.h"
#include "logo/BmpReader.h"
#include "logo/LogoFile.h"
#include "logo/PaletteOperations.h"
#include "platform/files/LogoFileWriter.h"
#include "resources/ResourceIds.h"
#include "resources/StringTable.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>

namespace tools {

namespace {

constexpr std::string_view kUsage =
    "usage: lumva-logo info FILE...\n"
    "       lumva-logo edit IN OUT [STEP...] [--animated]\n"
    "steps: --count N        number of cycling entries (1..255)\n"
    "       --color R,G,B    the current colour\n"
    "       --place I        put the current colour into entry I\n"
    "       --swap A,B       exchange entries A and B, pixels follow\n"
    "       --remove-unused  merge duplicate and drop unused colours; prints freed=K\n"
    "       --make-bar       animated bar along the bottom in the current colour\n"
    "       --reverse        reverse the cycling entries\n"
    "       --find           look up the current colour; prints found=I or found=none\n"
    "       --step T         T animation ticks (the written table is the rotated one)\n"
    "       --animated       write an animated logo (count = current count)\n";

int UsageError(std::ostream& err, std::string_view problem)
{
    err << "lumva-logo: " << problem << '\n' << kUsage << kExportUsage << kImportUsage << kCheckUsage << kSlotUsage;
    return 2;
}

// A whole decimal number in [low, high], nothing else.
std::optional<unsigned> ParseNumber(std::string_view text, unsigned low, unsigned high)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// "A,B" or "R,G,B": exactly `count` bytes separated by commas.
std::optional<std::vector<std::uint8_t>> ParseByteList(std::string_view text, std::size_t count)
{
    std::vector<std::uint8_t> values;
    while (values.size() < count) {
        const std::size_t comma = text.find(',');
        const bool last = values.size() + 1 == count;
        if (last != (comma == std::string_view::npos))
            return std::nullopt;
        const auto value = ParseNumber(text.substr(0, comma), 0, 255);
        if (!value)
            return std::nullopt;
        values.push_back(static_cast<std::uint8_t>(*value));
        if (!last)
            text.remove_prefix(comma + 1);
    }
    return values;
}

int Info(const std::vector<std::string>& files, std::ostream& out)
{
    int status = 0;
    for (const std::string& file : files) {
        // The headers tell the size; logo= is Browse's test, which decodes
        // what has a logo's shape.
        const logo::HeaderResult read = logo::ReadBmpFileHeader(file);
        if (!read) {
            out << file << ": error: " << read.error.reason << '\n';
            status = 1;
            continue;
        }
        const logo::BmpHeader& header = *read.header;
        const bool isLogo = logo::IsLogoFile(file);
        std::uint8_t count = 0;
        logo::ReadAnimationCount(file, count);
        out << file << ": width=" << header.width << " height=" << header.height
            << " bits=" << header.bitsPerPixel << " logo=" << (isLogo ? "yes" : "no")
            << " animated=" << static_cast<unsigned>(count) << '\n';
    }
    return status;
}

struct Step {
    std::string option;
    std::string value;
};

bool TakesValue(std::string_view option)
{
    return option == "--count" || option == "--color" || option == "--place" || option == "--swap"
        || option == "--step";
}

bool IsFlagStep(std::string_view option)
{
    return option == "--remove-unused" || option == "--make-bar" || option == "--reverse" || option == "--find";
}

// Checks every step before anything runs, so bad usage never half-edits.
std::optional<std::string> ValidateStep(const Step& step)
{
    const std::string_view option = step.option;
    if (option == "--count" && !ParseNumber(step.value, 1, 255))
        return "--count takes a number from 1 to 255";
    if (option == "--color" && !ParseByteList(step.value, 3))
        return "--color takes R,G,B with each from 0 to 255";
    if (option == "--place" && !ParseNumber(step.value, 0, 255))
        return "--place takes an entry from 0 to 255";
    if (option == "--swap" && !ParseByteList(step.value, 2))
        return "--swap takes A,B with each from 0 to 255";
    if (option == "--step" && !ParseNumber(step.value, 0, 1000000))
        return "--step takes a number of ticks from 0 to 1000000";
    return std::nullopt;
}

// Runs one step; false when the operation refused (message already printed).
bool RunStep(const Step& step, logo::PaletteState& state, std::ostream& out)
{
    const std::string_view option = step.option;
    if (option == "--count") {
        state.m_animCount = static_cast<std::uint8_t>(*ParseNumber(step.value, 1, 255));
        state.m_highlight = 256 - state.m_animCount;
    } else if (option == "--color") {
        const auto rgb = *ParseByteList(step.value, 3);
        logo::SetCurrentColor(state, logo::MakeColorValue(rgb[0], rgb[1], rgb[2]));
    } else if (option == "--place") {
        logo::PlaceColor(state, static_cast<std::uint8_t>(*ParseNumber(step.value, 0, 255)));
        state.m_modified = true;
    } else if (option == "--swap") {
        const auto ab = *ParseByteList(step.value, 2);
        logo::SwapEntries(state, ab[0], ab[1]);
    } else if (option == "--remove-unused") {
        logo::RemoveUnusedColors(state);
        out << "freed=" << static_cast<unsigned>(state.m_freedCount) << '\n';
    } else if (option == "--make-bar") {
        if (logo::MakeAnimatedBar(state) != logo::BarOutcome::Done) {
            // The editor's own words, so batch users read the same reason.
            out << res::FindTableString(res::IDS_ANIM_BAR_NO_SPACE).value_or("") << '\n';
            return false;
        }
    } else if (option == "--reverse") {
        logo::ReverseSequence(state);
    } else if (option == "--find") {
        if (logo::FindColor(state, state.m_red, state.m_green, state.m_blue))
            out << "found=" << state.m_highlight << '\n';
        else
            out << "found=none\n";
    } else if (option == "--step") {
        const unsigned ticks = *ParseNumber(step.value, 0, 1000000);
        for (unsigned i = 0; i < ticks; ++i)
            logo::AnimationStep(state);
        logo::StoreColorTable(state);
    }
    return true;
}

int Edit(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    // arguments: IN OUT [STEP...] [--animated]
    if (arguments.size() < 2)
        return UsageError(err, "edit needs IN and OUT");
    const std::string& input = arguments[0];
    const std::string& output = arguments[1];
    std::vector<Step> steps;
    bool animated = false;
    for (std::size_t i = 2; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--animated") {
            animated = true;
        } else if (TakesValue(option)) {
            if (i + 1 >= arguments.size())
                return UsageError(err, option + " needs a value");
            steps.push_back({option, arguments[++i]});
        } else if (IsFlagStep(option)) {
            steps.push_back({option, {}});
        } else {
            return UsageError(err, "unknown step " + option);
        }
        if (!steps.empty()) {
            if (const auto problem = ValidateStep(steps.back()))
                return UsageError(err, *problem);
        }
    }

    logo::LoadResult loaded = logo::LoadBmpFile(input);
    if (!loaded) {
        err << input << ": error: " << loaded.error.reason << '\n';
        return 1;
    }
    logo::LogoImage picture = std::move(*loaded.picture);
    if (!logo::IsLogoImage(picture)) {
        err << input << ": error: not a logo (a logo is 320 x 400 pixels at 8 bits)\n";
        return 1;
    }

    // Opened as the Animation Options editor opens a picture.
    logo::PaletteState state;
    state.m_picture = &picture;
    logo::LoadColorTable(state);
    std::uint8_t count = 0;
    logo::ReadAnimationCount(input, count);
    state.m_animCount = count == 0 ? 2 : count;
    state.m_highlight = count == 0 ? -1 : 256 - count;

    for (const Step& step : steps) {
        if (!RunStep(step, state, out))
            return 1;
    }
    if (!platform::WriteLogoFile(output, picture, state.m_colorTable, animated, state.m_animCount)) {
        err << output << ": error: the file could not be written\n";
        return 1;
    }
    return 0;
}

}  // namespace

int RunLogoCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty())
        return UsageError(err, "no command given");
    const std::string& command = arguments[0];
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "info") {
        if (rest.empty())
            return UsageError(err, "info needs at least one FILE");
        return Info(rest, out);
    }
    if (command == "edit")
        return Edit(rest, out, err);
    if (command == "export")
        return RunExportCommand(rest, out, err);
    if (command == "render")
        return RunRenderCommand(rest, out, err);
    if (command == "check")
        return RunCheckCommand(rest, out, err);
    if (command == "import")
        return RunImportCommand(rest, out, err);
    if (command == "slots")
        return RunSlotsCommand(rest, out, err);
    if (command == "apply")
        return RunApplyCommand(rest, out, err);
    if (command == "save")
        return RunSaveCommand(rest, out, err);
    if (command == "boot")
        return RunBootCommand(rest, out, err);
    if (command == "rotate")
        return RunRotateCommand(rest, out, err);
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage << kExportUsage << kImportUsage << kCheckUsage << kSlotUsage;
        return 0;
    }
    return UsageError(err, "unknown command " + command);
}

}  // namespace tools
