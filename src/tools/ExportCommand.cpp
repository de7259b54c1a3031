#include "tools/ExportCommand.h"

#include "tools/CommandArguments.h"
#include "export/AnimationFrames.h"
#include "export/GifExport.h"
#include "export/PlymouthTheme.h"
#include "export/PngExport.h"
#include "export/WebpExport.h"
#include "logo/BmpReader.h"
#include "logo/BootScreen.h"
#include "logo/LogoFile.h"

#include <optional>
#include <ostream>

namespace tools {

namespace {

constexpr unsigned kMaxStep = 1000000;
constexpr unsigned kMinPeriod = 10;
constexpr unsigned kMaxPeriod = 655350;  // the longest GIF delay

enum class Format { Gif, Webp, Png, Plymouth };

struct ExportOptions {
    std::string input;
    std::string output;
    Format format = Format::Png;
    bool screen = false;
    std::optional<unsigned> period;
    std::optional<unsigned> step;
};

int ExportUsage(std::ostream& err, const std::string& problem)
{
    return CommandUsageError(err, problem, kExportUsage);
}

std::optional<Format> FormatOf(const std::string& name)
{
    if (HasExtension(name, ".gif"))
        return Format::Gif;
    if (HasExtension(name, ".webp"))
        return Format::Webp;
    if (HasExtension(name, ".png"))
        return Format::Png;
    return std::nullopt;
}

// IN OUT then options; returns a problem text for bad usage.
std::optional<std::string> ParseOptions(const std::string& command, const std::vector<std::string>& arguments,
                                        ExportOptions& options)
{
    if (arguments.size() < 2)
        return command + " needs IN and OUT";
    options.input = arguments[0];
    options.output = arguments[1];
    for (std::size_t i = 2; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--screen") {
            options.screen = true;
            continue;
        }
        if (option == "--plymouth") {
            options.format = Format::Plymouth;
            continue;
        }
        if (option != "--period" && option != "--step")
            return "unknown option " + option;
        if (i + 1 >= arguments.size())
            return option + " needs a value";
        const std::string& value = arguments[++i];
        if (option == "--period") {
            options.period = ParseWholeNumber(value, kMinPeriod, kMaxPeriod);
            if (!options.period)
                return "--period takes milliseconds from 10 to 655350";
        } else {
            options.step = ParseWholeNumber(value, 0, kMaxStep);
            if (!options.step)
                return "--step takes a number of ticks from 0 to 1000000";
        }
    }
    return std::nullopt;
}

struct LoadedLogo {
    logo::LogoImage picture;
    logo::ColorTable table{};
    std::uint8_t count = 0;
};

std::optional<LoadedLogo> LoadLogo(const std::string& path, std::ostream& err)
{
    logo::LoadResult loaded = logo::LoadBmpFile(path);
    if (!loaded) {
        err << path << ": error: " << loaded.error.reason << '\n';
        return std::nullopt;
    }
    LoadedLogo logoFile;
    logoFile.picture = std::move(*loaded.picture);
    if (!logo::IsLogoImage(logoFile.picture)) {
        err << path << ": error: not a logo (a logo is 320 x 400 pixels at 8 bits)\n";
        return std::nullopt;
    }
    std::copy(logoFile.picture.colorTable.begin(), logoFile.picture.colorTable.end(), logoFile.table.begin());
    logo::ReadAnimationCount(path, logoFile.count);
    return logoFile;
}

int Report(const std::string& output, const exporting::ExportResult& result, std::ostream& err)
{
    if (result)
        return 0;
    err << output << ": error: " << result.reason << '\n';
    return 1;
}

int WritePng(const LoadedLogo& source, const ExportOptions& options, std::ostream& err)
{
    const logo::ColorTable table = logo::TableAfterTicks(source.table, source.count, options.step.value_or(0));
    const logo::RgbImage frame = logo::RenderBootScreen(source.picture, table, options.screen);
    return Report(options.output, exporting::ExportPng(options.output, frame), err);
}

// The theme shows what the boot screen shows: its own screen, pace and
// frames, so none of the options that change them apply.
int WritePlymouthTheme(const ExportOptions& options, std::ostream& out, std::ostream& err)
{
    if (options.screen || options.period || options.step)
        return ExportUsage(err,
                           "--plymouth takes no --screen, --period or --step: the theme shows the boot screen itself");
    const auto source = LoadLogo(options.input, err);
    if (!source)
        return 1;
    exporting::PlymouthThemeFiles theme;
    const exporting::ExportResult result =
        exporting::ExportPlymouthTheme(options.output, source->picture, source->table, source->count, theme);
    if (!result)
        return Report(options.output, result, err);
    out << theme.themeFile << ": theme=" << theme.name << " frames=" << theme.frames << " bytes=" << theme.bytes
        << '\n';
    return 0;
}

}  // namespace

int RunExportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    ExportOptions options;
    if (const auto problem = ParseOptions("export", arguments, options))
        return ExportUsage(err, *problem);
    if (options.format == Format::Plymouth)
        return WritePlymouthTheme(options, out, err);
    const auto format = FormatOf(options.output);
    if (!format)
        return ExportUsage(err, "OUT must end in .gif, .webp or .png");
    options.format = *format;
    if (options.format == Format::Png && options.period)
        return ExportUsage(err, "--period is for GIF and WebP; a PNG holds one frame");
    if (options.format != Format::Png && options.step)
        return ExportUsage(err, "--step is for PNG; a GIF or WebP holds the whole cycle");

    const auto source = LoadLogo(options.input, err);
    if (!source)
        return 1;
    if (options.format == Format::Png)
        return WritePng(*source, options, err);
    const exporting::AnimationFrames frames = exporting::BuildAnimationFrames(
        source->picture, source->table, source->count, options.screen,
        static_cast<int>(options.period.value_or(exporting::kDefaultPeriodMilliseconds)));
    const exporting::ExportResult result = options.format == Format::Gif
        ? exporting::ExportGif(options.output, frames)
        : exporting::ExportWebp(options.output, frames);
    return Report(options.output, result, err);
}

int RunRenderCommand(const std::vector<std::string>& arguments, std::ostream&, std::ostream& err)
{
    ExportOptions options;
    if (const auto problem = ParseOptions("render", arguments, options))
        return ExportUsage(err, *problem);
    if (options.format == Format::Plymouth)
        return ExportUsage(err, "render writes a PNG; --plymouth is for export");
    if (!HasExtension(options.output, ".png"))
        return ExportUsage(err, "render writes a PNG: OUT must end in .png");
    if (options.period)
        return ExportUsage(err, "--period is for export to GIF and WebP");
    const auto source = LoadLogo(options.input, err);
    if (!source)
        return 1;
    return WritePng(*source, options, err);
}

}  // namespace tools
