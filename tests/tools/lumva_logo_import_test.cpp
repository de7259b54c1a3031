// lumva-logo import: what it writes and prints, and how it refuses bad
// pictures and bad usage without writing anything.

#include "common/BmpBuilder.h"
#include "common/TestFiles.h"
#include "export/PngExport.h"
#include "logo/BmpReader.h"
#include "logo/LogoFile.h"
#include "RunLogoTool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include <sys/wait.h>

using testing_support::TempDir;

namespace {

using Outcome = testing_support::ToolOutcome;
using testing_support::RunTool;

// A 24-bit BMP of 200 x 100: red to blue across, darker downwards.
std::string WriteWideBmp(const TempDir& dir, const std::string& name)
{
    std::vector<std::uint8_t> bgr;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            bgr.push_back(static_cast<std::uint8_t>(x * 255 / 199 * (100 - y) / 100));
            bgr.push_back(static_cast<std::uint8_t>(y * 2));
            bgr.push_back(static_cast<std::uint8_t>((199 - x) * 255 / 199));
        }
    }
    const std::string path = dir.File(name);
    testing_support::WriteAll(path, testing_support::MakeBmp(200, 100, 24, {}, bgr, true));
    return path;
}

std::string WriteSquarePng(const TempDir& dir, const std::string& name)
{
    logo::RgbImage image;
    image.width = image.height = 64;
    for (int i = 0; i < 64 * 64; ++i)
        image.rgb.insert(image.rgb.end(), {static_cast<std::uint8_t>(i % 64 * 4), 90, static_cast<std::uint8_t>(i / 64 * 4)});
    const std::string path = dir.File(name);
    EXPECT_TRUE(exporting::ExportPng(path, image));
    return path;
}

logo::LogoImage ReadLogo(const std::string& path)
{
    logo::LoadResult loaded = logo::LoadBmpFile(path);
    EXPECT_TRUE(loaded) << path;
    return loaded ? *loaded.picture : logo::MakeBlankLogo();
}

TEST(LumvaLogoImport, WritesAStaticLogoAndReportsItsColours)
{
    TempDir dir;
    const std::string out = dir.File("wide.sys");
    const Outcome result = RunTool({"import", WriteWideBmp(dir, "wide.bmp"), out});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::regex report(std::regex_replace(out, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)")
                            + R"(: colors=(\d+) reserved=21\n)");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(result.out, match, report)) << result.out;
    EXPECT_EQ(std::filesystem::file_size(out), logo::kLogoFileSize);
    EXPECT_TRUE(logo::HasExactLogoLayout(out));

    const logo::LogoImage image = ReadLogo(out);
    std::vector<bool> used(256, false);
    for (const std::uint8_t index : image.pixels)
        used[index] = true;
    EXPECT_EQ(std::count(used.begin(), used.end(), true), std::stoi(match[1]));
    EXPECT_EQ(RunTool({"info", out}).out, out + ": width=320 height=400 bits=8 logo=yes animated=0\n");
}

TEST(LumvaLogoImport, BarMakesAnAnimatedLogoThatInfoAccepts)
{
    TempDir dir;
    const std::string out = dir.File("bar.sys");
    const Outcome result = RunTool({"import", WriteSquarePng(dir, "square.png"), out, "--bar", "0,0,180"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find(" reserved=21 animated=21\n"), std::string::npos) << result.out;
    EXPECT_EQ(RunTool({"info", out}).out, out + ": width=320 height=400 bits=8 logo=yes animated=21\n");
    const logo::LogoImage image = ReadLogo(out);
    EXPECT_EQ(image.colorTable[245], (logo::RgbQuad{180, 0, 0, 0}));
}

TEST(LumvaLogoImport, OptionsReachTheLogo)
{
    TempDir dir;
    const std::string out = dir.File("o.bmp");
    const Outcome result = RunTool({"import", WriteSquarePng(dir, "square.png"), out, "--fill-color", "10,20,30",
                                    "--reserve", "50", "--dither", "0.5", "--fit"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find(" reserved=50\n"), std::string::npos) << result.out;
    const logo::LogoImage image = ReadLogo(out);
    EXPECT_EQ(image.colorTable[0], (logo::RgbQuad{30, 20, 10, 0}));
    EXPECT_EQ(image.pixels[200 * 320], 0);  // the band on the left of a square picture
    EXPECT_LT(*std::max_element(image.pixels.begin(), image.pixels.end()), 206);

    // --stretch leaves no band.
    ASSERT_EQ(RunTool({"import", dir.File("square.png"), out, "--stretch", "--fill-color", "255,0,255"}).status, 0);
    EXPECT_NE(ReadLogo(out).colorTable[ReadLogo(out).pixels[200 * 320]], (logo::RgbQuad{255, 0, 255, 0}));
}

TEST(LumvaLogoImport, AnUndecodablePictureIsRefusedWithItsReason)
{
    TempDir dir;
    const std::string in = dir.File("notes.png");
    testing_support::WriteAll(in, {'h', 'e', 'l', 'l', 'o'});
    const Outcome result = RunTool({"import", in, dir.File("o.sys")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.rfind(in + ": error: the file is not a picture", 0), 0u) << result.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.sys")));

    const Outcome missing = RunTool({"import", dir.File("absent.jpg"), dir.File("o.sys")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, dir.File("absent.jpg") + ": error: the file cannot be opened\n");
}

TEST(LumvaLogoImport, AnUnwritableOutputIsRefused)
{
    TempDir dir;
    const std::string out = dir.File("no-such-folder/o.sys");
    const Outcome result = RunTool({"import", WriteSquarePng(dir, "square.png"), out});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, out + ": error: the file could not be written\n");
    EXPECT_TRUE(result.out.empty());
}

TEST(LumvaLogoImport, ExitStatusReachesTheShell)
{
    TempDir dir;
    const std::string png = WriteSquarePng(dir, "square.png");
    testing_support::WriteAll(dir.File("notes.txt"), {'n', 'o'});
    const std::string tool = LUMVA_LOGO_PATH;
    auto status = [](const std::string& command) { return WEXITSTATUS(std::system(command.c_str())); };
    EXPECT_EQ(status("'" + tool + "' import '" + png + "' '" + dir.File("o.sys") + "' --bar 1,2,3 >/dev/null"), 0);
    EXPECT_TRUE(logo::HasExactLogoLayout(dir.File("o.sys")));
    EXPECT_EQ(status("'" + tool + "' import '" + dir.File("notes.txt") + "' '" + dir.File("n.sys") + "' 2>/dev/null"), 1);
    EXPECT_EQ(status("'" + tool + "' import '" + png + "' 2>/dev/null"), 2);
}

struct ImportUsageCase {
    const char* name;
    std::vector<std::string> options;
};

class LumvaLogoImportUsage : public ::testing::TestWithParam<ImportUsageCase> {};

TEST_P(LumvaLogoImportUsage, IsRefusedWithStatusTwoBeforeAnythingIsWritten)
{
    TempDir dir;
    std::vector<std::string> arguments{"import", WriteSquarePng(dir, "in.png"), dir.File("o.sys")};
    if (std::string(GetParam().name) == "WithoutOut")
        arguments.pop_back();
    arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());
    const Outcome result = RunTool(arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("usage: lumva-logo import IN OUT"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.sys")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LumvaLogoImportUsage,
    ::testing::Values(ImportUsageCase{"WithoutOut", {}},
                      ImportUsageCase{"TwoGeometries", {"--fit", "--fill"}},
                      ImportUsageCase{"UnknownOption", {"--sharpen"}},
                      ImportUsageCase{"ReserveTooMany", {"--reserve", "256"}},
                      ImportUsageCase{"ReserveWithoutValue", {"--reserve"}},
                      ImportUsageCase{"DitherTooStrong", {"--dither", "1.5"}},
                      ImportUsageCase{"DitherNotANumber", {"--dither", "half"}},
                      ImportUsageCase{"DitherNegative", {"--dither", "-0.1"}},
                      ImportUsageCase{"FillColorShort", {"--fill-color", "1,2"}},
                      ImportUsageCase{"FillColorTooBright", {"--fill-color", "1,2,256"}},
                      ImportUsageCase{"BarWithoutRoom", {"--bar", "0,0,255", "--reserve", "20"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
