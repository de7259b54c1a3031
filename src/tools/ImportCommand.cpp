#include "tools/ImportCommand.h"

#include "tools/CommandArguments.h"
#include "convert/LogoConverter.h"
#include "platform/files/LogoFileWriter.h"
#include "platform/ui/PictureDecoder.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace tools {

namespace {

struct ImportOptions {
    std::string input;
    std::string output;
    convert::ConvertOptions convert;
};

int ImportUsage(std::ostream& err, const std::string& problem)
{
    return CommandUsageError(err, problem, kImportUsage);
}

// "R,G,B" with each from 0 to 255.
std::optional<convert::Rgb> ParseColour(std::string_view text)
{
    std::optional<unsigned> channels[3];
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = text.find(',');
        if ((i == 2) != (comma == std::string_view::npos))
            return std::nullopt;
        channels[i] = ParseWholeNumber(text.substr(0, comma), 0, 255);
        if (!channels[i])
            return std::nullopt;
        if (i < 2)
            text.remove_prefix(comma + 1);
    }
    return convert::Rgb{static_cast<std::uint8_t>(*channels[0]), static_cast<std::uint8_t>(*channels[1]),
                        static_cast<std::uint8_t>(*channels[2])};
}

// A plain decimal from 0 to 1 ("0", "0.5", "1").
std::optional<float> ParseStrength(std::string_view text)
{
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !(value >= 0.0f && value <= 1.0f))
        return std::nullopt;
    return value;
}

std::optional<convert::Geometry> GeometryFlag(std::string_view option)
{
    if (option == "--fit")
        return convert::Geometry::Fit;
    if (option == "--fill")
        return convert::Geometry::Fill;
    if (option == "--stretch")
        return convert::Geometry::Stretch;
    return std::nullopt;
}

// IN OUT then options; returns a problem text for bad usage.
std::optional<std::string> ParseOptions(const std::vector<std::string>& arguments, ImportOptions& options)
{
    if (arguments.size() < 2)
        return "import needs IN and OUT";
    options.input = arguments[0];
    options.output = arguments[1];
    bool geometryGiven = false;
    for (std::size_t i = 2; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (const auto geometry = GeometryFlag(option)) {
            if (geometryGiven && *geometry != options.convert.geometry)
                return "give only one of --fit, --fill and --stretch";
            geometryGiven = true;
            options.convert.geometry = *geometry;
            continue;
        }
        if (option != "--fill-color" && option != "--reserve" && option != "--dither" && option != "--bar")
            return "unknown option " + option;
        if (i + 1 >= arguments.size())
            return option + " needs a value";
        const std::string& value = arguments[++i];
        if (option == "--fill-color") {
            const auto colour = ParseColour(value);
            if (!colour)
                return "--fill-color takes R,G,B with each from 0 to 255";
            options.convert.fillColor = *colour;
        } else if (option == "--reserve") {
            const auto reserved = ParseWholeNumber(value, 0, convert::kMaxReserved);
            if (!reserved)
                return "--reserve takes a number of entries from 0 to 255";
            options.convert.reserved = static_cast<int>(*reserved);
        } else if (option == "--dither") {
            const auto strength = ParseStrength(value);
            if (!strength)
                return "--dither takes a strength from 0 to 1";
            options.convert.dither = *strength;
        } else {
            options.convert.barColor = ParseColour(value);
            if (!options.convert.barColor)
                return "--bar takes R,G,B with each from 0 to 255";
        }
    }
    if (options.convert.barColor && options.convert.reserved < convert::kDefaultReserved)
        return "--bar needs --reserve of at least 21: the bar cycles 21 entries";
    return std::nullopt;
}

}  // namespace

int RunImportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    ImportOptions options;
    if (const auto problem = ParseOptions(arguments, options))
        return ImportUsage(err, *problem);

    const platform::DecodedPicture decoded = platform::DecodePictureFile(options.input);
    if (!decoded) {
        err << options.input << ": error: " << decoded.reason << '\n';
        return 1;
    }
    const convert::ConvertResult converted = convert::ConvertToLogo(*decoded.picture, options.convert);
    if (!converted) {
        err << options.input << ": error: " << converted.reason << '\n';
        return 1;
    }
    const logo::LogoImage& picture = *converted.picture;
    logo::ColorTable table{};
    std::copy(picture.colorTable.begin(), picture.colorTable.end(), table.begin());
    if (!platform::WriteLogoFile(options.output, picture, table, converted.animated, converted.animCount)) {
        err << options.output << ": error: the file could not be written\n";
        return 1;
    }
    out << options.output << ": colors=" << converted.colorsUsed << " reserved=" << options.convert.reserved;
    if (converted.animated)
        out << " animated=" << static_cast<unsigned>(converted.animCount);
    out << '\n';
    return 0;
}

}  // namespace tools
