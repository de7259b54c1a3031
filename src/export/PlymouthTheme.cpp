#include "export/PlymouthTheme.h"

#include "export/AtomicFile.h"
#include "export/PlymouthScript.h"
#include "export/PngExport.h"
#include "logo/BootScreen.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>

namespace exporting {

namespace {

namespace fs = std::filesystem;

// Decoded, Plymouth keeps four bytes a pixel; frames above this are loaded
// one at a time as they are shown.
constexpr std::uintmax_t kPreloadBudgetBytes = 64u << 20;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;   // exclusive
    int bottom = 0;  // exclusive
    bool Empty() const { return right <= left || bottom <= top; }
};

// The logo pixels that show a cycling entry (index >= first).
Rect CyclingPixels(const logo::LogoImage& picture, int first)
{
    Rect rect{logo::kLogoWidth, logo::kLogoHeight, 0, 0};
    for (int y = 0; y < logo::kLogoHeight; ++y) {
        for (int x = 0; x < logo::kLogoWidth; ++x) {
            if (picture.pixels[static_cast<std::size_t>(y * logo::kLogoWidth + x)] < first)
                continue;
            rect.left = std::min(rect.left, x);
            rect.top = std::min(rect.top, y);
            rect.right = std::max(rect.right, x + 1);
            rect.bottom = std::max(rect.bottom, y + 1);
        }
    }
    return rect;
}

Rect OnScreen(const Rect& logoRect, int scale)
{
    return {logoRect.left * 2 * scale, logo::BootScreenRowOf(logoRect.top, scale), logoRect.right * 2 * scale,
            logo::BootScreenRowOf(logoRect.bottom, scale)};
}

// The rectangle cut out of the scaled screen; entries that do not cycle
// become index 0, which the overlay shows as transparent.
std::vector<std::uint8_t> CycleCutOut(const std::vector<std::uint8_t>& screen, int screenWidth, const Rect& rect,
                                      int first)
{
    std::vector<std::uint8_t> cut;
    cut.reserve(static_cast<std::size_t>(rect.right - rect.left) * static_cast<std::size_t>(rect.bottom - rect.top));
    for (int y = rect.top; y < rect.bottom; ++y) {
        const std::uint8_t* row = screen.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(screenWidth);
        for (int x = rect.left; x < rect.right; ++x)
            cut.push_back(row[x] >= first ? row[x] : 0);
    }
    return cut;
}

bool IsThemeName(const std::string& name)
{
    return !name.empty() && name.front() != '.' && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
               c == '.';
    });
}

// An existing folder may be replaced only when it is empty or a theme we wrote.
std::optional<std::string> ReplaceRefusal(const fs::path& folder, const std::string& name)
{
    std::error_code error;
    if (!fs::exists(folder, error))
        return std::nullopt;
    if (!fs::is_directory(folder, error))
        return folder.string() + " is not a folder";
    if (fs::is_empty(folder, error))
        return std::nullopt;
    std::ifstream theme(folder / (name + ".plymouth"));
    const std::string text((std::istreambuf_iterator<char>(theme)), std::istreambuf_iterator<char>());
    if (text.find(kPlymouthThemeMarker) != std::string::npos)
        return std::nullopt;
    return folder.string() + " holds other files; a theme goes into a folder of its own";
}

// A hidden sibling of the folder, new, for building the theme in.
std::optional<fs::path> SiblingFolder(const fs::path& folder, const char* purpose)
{
    static std::mt19937_64 generator{std::random_device{}()};
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[40];
        std::snprintf(suffix, sizeof suffix, ".lumva-%s-%08llx", purpose,
                      static_cast<unsigned long long>(generator() & 0xFFFFFFFFu));
        std::string name(1, '.');
        name += folder.filename().string();
        name += suffix;
        const fs::path candidate = folder.parent_path() / name;
        std::error_code error;
        if (fs::create_directory(candidate, error))
            return candidate;
        if (error)
            return std::nullopt;
    }
    return std::nullopt;
}

class ThemeWriter {
public:
    explicit ThemeWriter(fs::path folder) : folder_(std::move(folder)) {}

    bool Text(const std::string& name, const std::string& text)
    {
        return Bytes(name, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    bool Png(const std::string& name, int width, int height, const std::vector<std::uint8_t>& indices,
             const logo::ColorTable& table, int transparentIndex = -1)
    {
        const std::vector<std::uint8_t> bytes = EncodeIndexedPng(width, height, indices, table, error_, transparentIndex);
        return !bytes.empty() && Bytes(name, bytes);
    }

    const std::string& Error() const { return error_; }
    std::uintmax_t Written() const { return written_; }

private:
    bool Bytes(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const ExportResult result = WriteFileAtomically((folder_ / name).string(), bytes);
        if (!result) {
            error_ = result.reason;
            return false;
        }
        written_ += bytes.size();
        return true;
    }

    fs::path folder_;
    std::string error_;
    std::uintmax_t written_ = 0;
};

// Every file of the theme into `build`; false with the writer's reason.
bool WriteTheme(ThemeWriter& writer, const std::string& name, const fs::path& finalFolder,
                const logo::LogoImage& picture, const logo::ColorTable& table, std::uint8_t count, int& frames)
{
    const int first = 256 - count;
    const Rect cycling = count == 0 ? Rect{} : CyclingPixels(picture, first);
    frames = cycling.Empty() ? 1 : count;

    std::vector<logo::ColorTable> shown;  // each frame's colours through the DAC
    for (int frame = 0; frame < frames; ++frame)
        shown.push_back(logo::ThroughDac(logo::TableAfterTicks(table, count, static_cast<unsigned>(frame))));
    logo::ColorTable border{};
    border.fill(shown[0][0]);

    PlymouthScriptLayout layout;
    layout.frames = frames;
    if (!writer.Png("border.png", 1, 1, {0}, border))
        return false;
    for (int scale = 1; scale <= kPlymouthScales; ++scale) {
        const int width = logo::kBootScreenWidth * scale;
        const std::vector<std::uint8_t> screen = logo::ScaleToBootScreen(picture.pixels, scale);
        const std::string suffix = std::to_string(scale);
        if (!writer.Png("screen-" + suffix + ".png", width, logo::kBootScreenHeight * scale, screen, shown[0]))
            return false;
        PlymouthCycleRect placed;
        if (frames > 1) {
            const Rect rect = OnScreen(cycling, scale);
            const std::vector<std::uint8_t> cut = CycleCutOut(screen, width, rect, first);
            const int cutWidth = rect.right - rect.left;
            const int cutHeight = rect.bottom - rect.top;
            for (int frame = 0; frame < frames; ++frame) {
                if (!writer.Png("cycle-" + suffix + "-" + std::to_string(frame) + ".png", cutWidth, cutHeight, cut,
                                shown[static_cast<std::size_t>(frame)], 0))
                    return false;
            }
            placed = {rect.left, rect.top, cut.size() * 4u * static_cast<std::uintmax_t>(frames) <= kPreloadBudgetBytes};
        }
        layout.perScale.push_back(placed);
    }
    return writer.Text(name + ".script", PlymouthScript(layout)) &&
           writer.Text(name + ".plymouth", PlymouthThemeFile(name, finalFolder.string()));
}

// The new theme in place of the folder (which may not exist yet).
bool PutInPlace(const fs::path& built, const fs::path& folder)
{
    std::error_code error;
    if (!fs::exists(folder, error)) {
        fs::rename(built, folder, error);
        return !error;
    }
    const std::optional<fs::path> old = SiblingFolder(folder, "old");
    if (!old)
        return false;
    fs::remove(*old, error);
    fs::rename(folder, *old, error);
    if (error)
        return false;
    fs::rename(built, folder, error);
    if (error) {
        std::error_code ignored;
        fs::rename(*old, folder, ignored);
        return false;
    }
    fs::remove_all(*old, error);
    return true;
}

}  // namespace

ExportResult ExportPlymouthTheme(const std::string& folderText, const logo::LogoImage& picture,
                                 const logo::ColorTable& table, std::uint8_t count, PlymouthThemeFiles& written)
{
    if (!logo::IsLogoImage(picture))
        return ExportResult::Failed("the picture is not a logo");
    std::error_code error;
    fs::path folder = fs::absolute(folderText, error).lexically_normal();
    if (folder.filename().empty())
        folder = folder.parent_path();
    const std::string name = folder.filename().string();
    if (!IsThemeName(name))
        return ExportResult::Failed("the folder's name '" + name + "' becomes the theme's name: use only letters, "
                                    "digits, '-', '_' and '.'");
    if (const auto refusal = ReplaceRefusal(folder, name))
        return ExportResult::Failed(*refusal);
    const std::optional<fs::path> built = SiblingFolder(folder, "new");
    if (!built)
        return ExportResult::Failed("cannot create a folder beside " + folder.string());

    ThemeWriter writer(*built);
    int frames = 0;
    const bool complete = WriteTheme(writer, name, folder, picture, table, count, frames);
    if (!complete || !PutInPlace(*built, folder)) {
        fs::remove_all(*built, error);
        return ExportResult::Failed(complete ? "cannot put the theme in place of " + folder.string()
                                             : writer.Error());
    }
    written = {name, (folder / (name + ".plymouth")).string(), frames, writer.Written()};
    return ExportResult::Done();
}

}  // namespace exporting
