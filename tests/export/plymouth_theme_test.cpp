// The Plymouth theme as files: its pictures laid over each other the way
// the theme's script lays them give every frame of the boot screen exactly,
// and the folder is written whole or not at all.

#include "DecodedAnimation.h"
#include "ExportTestLogos.h"
#include "common/TempDir.h"
#include "common/TestFiles.h"
#include "export/PlymouthTheme.h"
#include "logo/BootScreen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace {

namespace fs = std::filesystem;
using export_testing::DecodePngRgba;
using testing_support::ReadAll;

std::string TextOf(const fs::path& path)
{
    const std::vector<std::uint8_t> bytes = ReadAll(path.string());
    return std::string(bytes.begin(), bytes.end());
}

int ScriptNumber(const std::string& script, const std::string& name)
{
    std::smatch match;
    if (!std::regex_search(script, match, std::regex(std::regex_replace(name, std::regex(R"([\[\]])"), R"(\$&)") +
                                                     R"( = (-?\d+);)")))
        return -1;
    return std::stoi(match[1]);
}

// Frame `frame` of the boot screen at `scale`, as RGBA, as the theme must show it.
std::vector<std::uint8_t> ExpectedScreen(const logo::LogoImage& picture, std::uint8_t count, int scale, unsigned frame)
{
    const logo::ColorTable table =
        logo::ThroughDac(logo::TableAfterTicks(export_testing::TableOf(picture), count, frame));
    std::vector<std::uint8_t> rgba;
    for (const std::uint8_t index : logo::ScaleToBootScreen(picture.pixels, scale)) {
        rgba.insert(rgba.end(), {table[index].red, table[index].green, table[index].blue, 255});
    }
    return rgba;
}

// The cycle picture laid over the screen picture, as Plymouth draws a sprite.
void LayOver(logo::RgbaImage& screen, const logo::RgbaImage& cycle, int left, int top)
{
    for (int y = 0; y < cycle.height; ++y) {
        for (int x = 0; x < cycle.width; ++x) {
            const std::uint8_t* source = &cycle.rgba[static_cast<std::size_t>((y * cycle.width + x) * 4)];
            if (source[3] == 255)
                std::copy_n(source, 4, &screen.rgba[static_cast<std::size_t>(((top + y) * screen.width + left + x) * 4)]);
        }
    }
}

class PlymouthThemeTest : public ::testing::Test {
protected:
    exporting::ExportResult Export(const logo::LogoImage& picture, std::uint8_t count)
    {
        return exporting::ExportPlymouthTheme(folder.string(), picture, export_testing::TableOf(picture), count,
                                              written);
    }

    testing_support::TempDir dir;
    fs::path folder = dir.Path() / "win9x-logo";
    exporting::PlymouthThemeFiles written;
};

TEST_F(PlymouthThemeTest, EveryFrameIsTheBootScreenAtEveryScale)
{
    const logo::LogoImage bar = export_testing::MakeBarLogo();
    ASSERT_TRUE(Export(bar, 21)) << Export(bar, 21).reason;
    EXPECT_EQ(written.name, "win9x-logo");
    EXPECT_EQ(written.frames, 21);

    const std::string theme = TextOf(folder / "win9x-logo.plymouth");
    EXPECT_NE(theme.find("ModuleName=script\n"), std::string::npos);
    EXPECT_NE(theme.find("ImageDir=" + folder.string() + "\n"), std::string::npos);
    EXPECT_NE(theme.find("ScriptFile=" + (folder / "win9x-logo.script").string() + "\n"), std::string::npos);
    const std::string script = TextOf(folder / "win9x-logo.script");
    EXPECT_EQ(ScriptNumber(script, "frame_count"), 21);
    EXPECT_EQ(ScriptNumber(script, "scale_count"), exporting::kPlymouthScales);

    for (int scale = 1; scale <= exporting::kPlymouthScales; ++scale) {
        SCOPED_TRACE("scale " + std::to_string(scale));
        const std::string suffix = std::to_string(scale);
        const logo::RgbaImage screen = DecodePngRgba(ReadAll((folder / ("screen-" + suffix + ".png")).string()));
        ASSERT_EQ(screen.width, 640 * scale);
        ASSERT_EQ(screen.height, 480 * scale);
        EXPECT_EQ(screen.rgba, ExpectedScreen(bar, 21, scale, 0));
        const int left = ScriptNumber(script, "cycle_left[" + suffix + "]");
        const int top = ScriptNumber(script, "cycle_top[" + suffix + "]");
        EXPECT_EQ(left, 0);
        EXPECT_EQ(top, logo::BootScreenRowOf(393, scale)) << "only the bar's seven rows cycle";
        EXPECT_EQ(ScriptNumber(script, "preload[" + suffix + "]"), 1);
        for (const unsigned frame : {1u, 13u, 20u}) {
            logo::RgbaImage shown = screen;
            LayOver(shown, DecodePngRgba(ReadAll((folder / ("cycle-" + suffix + "-" + std::to_string(frame) + ".png"))
                                                     .string())),
                    left, top);
            EXPECT_EQ(shown.rgba, ExpectedScreen(bar, 21, scale, frame)) << "frame " << frame;
        }
    }
    EXPECT_FALSE(fs::exists(folder / "cycle-1-21.png"));
    const logo::RgbaImage border = DecodePngRgba(ReadAll((folder / "border.png").string()));
    const logo::RgbQuad entry0 = logo::ThroughDac(export_testing::TableOf(bar))[0];
    EXPECT_EQ(border.rgba, (std::vector<std::uint8_t>{entry0.red, entry0.green, entry0.blue, 255}));
}

TEST_F(PlymouthThemeTest, AStaticLogoIsOneFrameAndReplacesAnEarlierTheme)
{
    const logo::LogoImage bar = export_testing::MakeBarLogo();
    ASSERT_TRUE(Export(bar, 21));
    ASSERT_TRUE(Export(bar, 0));
    EXPECT_EQ(written.frames, 1);
    EXPECT_EQ(ScriptNumber(TextOf(folder / "win9x-logo.script"), "frame_count"), 1);
    EXPECT_FALSE(fs::exists(folder / "cycle-1-0.png")) << "the earlier theme's frames went with it";
    EXPECT_TRUE(fs::exists(folder / "screen-4.png"));
    std::size_t siblings = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.Path()))
        ++siblings;
    EXPECT_EQ(siblings, 1u) << "no half-built or old folder is left beside it";
}

TEST_F(PlymouthThemeTest, RefusesFoldersItMustNotReplace)
{
    const logo::LogoImage bar = export_testing::MakeBarLogo();
    fs::create_directories(folder);
    std::ofstream(folder / "other.plymouth") << "someone else's";
    const exporting::ExportResult occupied = Export(bar, 21);
    EXPECT_FALSE(occupied);
    EXPECT_NE(occupied.reason.find("holds other files"), std::string::npos) << occupied.reason;
    EXPECT_EQ(TextOf(folder / "other.plymouth"), "someone else's");

    folder = dir.Path() / "two words";
    const exporting::ExportResult badName = Export(bar, 21);
    EXPECT_FALSE(badName);
    EXPECT_NE(badName.reason.find("theme's name"), std::string::npos) << badName.reason;
    EXPECT_FALSE(fs::exists(folder));
}

}  // namespace
