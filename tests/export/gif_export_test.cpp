// The GIF export read back with giflib: frame count, the frames against the
// rendered ticks, delays, the loop, and the small later frames.

#include "DecodedAnimation.h"
#include "ExportTestLogos.h"
#include "common/TestFiles.h"
#include "export/GifExport.h"
#include "logo/BootScreen.h"

#include <gtest/gtest.h>

#include <filesystem>

using export_testing::DecodeGif;
using export_testing::MakeBarLogo;
using export_testing::TableOf;
using exporting::AnimationFrames;
using exporting::BuildAnimationFrames;

namespace {

std::vector<std::uint8_t> Encode(const AnimationFrames& frames)
{
    std::string error;
    std::vector<std::uint8_t> bytes = exporting::EncodeGif(frames, error);
    EXPECT_FALSE(bytes.empty()) << error;
    return bytes;
}

}  // namespace

class GifExportFrames : public testing::TestWithParam<bool> {};

TEST_P(GifExportFrames, DecodeToTheRenderedTicks)
{
    const bool screen = GetParam();
    const logo::LogoImage image = MakeBarLogo();
    const auto decoded = DecodeGif(Encode(BuildAnimationFrames(image, TableOf(image), 21, screen)));
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_EQ(decoded.width, screen ? 640 : 320);
    EXPECT_EQ(decoded.height, screen ? 480 : 400);
    ASSERT_EQ(decoded.frames.size(), 21u);
    for (unsigned k = 0; k < 21; ++k) {
        const logo::RgbImage expected =
            logo::RenderBootScreen(image, logo::TableAfterTicks(TableOf(image), 21, k), screen);
        EXPECT_TRUE(decoded.frames[k].rgb == expected.rgb) << "frame " << k;
        EXPECT_EQ(decoded.delays[k], 10) << "frame " << k;
        EXPECT_EQ(decoded.disposals[k], 1) << "frame " << k;  // left in place
    }
    EXPECT_EQ(decoded.loopCount, 0);  // for ever
}

INSTANTIATE_TEST_SUITE_P(LogoAndScreen, GifExportFrames, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Screen" : "Logo"; });

TEST(GifExport, LaterFramesCarryOnlyTheBarWithItsOwnSmallTable)
{
    const logo::LogoImage image = MakeBarLogo();
    const auto logoSize = DecodeGif(Encode(BuildAnimationFrames(image, TableOf(image), 21, false)));
    ASSERT_TRUE(logoSize.ok);
    EXPECT_EQ(logoSize.areas[0], (std::array<int, 4>{0, 0, 320, 400}));
    EXPECT_EQ(logoSize.localTableSizes[0], 0);
    for (std::size_t k = 1; k < logoSize.areas.size(); ++k) {
        EXPECT_EQ(logoSize.areas[k], (std::array<int, 4>{0, 393, 320, 7})) << "frame " << k;
        EXPECT_EQ(logoSize.localTableSizes[k], 32) << "frame " << k;  // the bar's 20 entries
    }
    const auto screen = DecodeGif(Encode(BuildAnimationFrames(image, TableOf(image), 21, true)));
    ASSERT_TRUE(screen.ok);
    EXPECT_EQ(screen.areas[1], (std::array<int, 4>{0, 471, 640, 9}));
}

TEST(GifExport, StaysWithinAKilobytePerFrameOfAStillPicture)
{
    const logo::LogoImage image = MakeBarLogo();
    for (const bool screen : {false, true}) {
        const auto still = Encode(BuildAnimationFrames(image, TableOf(image), 0, screen));
        const auto cycle = Encode(BuildAnimationFrames(image, TableOf(image), 21, screen));
        EXPECT_LE(cycle.size(), still.size() + 20 * 1024) << (screen ? "screen" : "logo");
    }
}

TEST(GifExport, FrameCountFollowsTheCount)
{
    const logo::LogoImage image = MakeBarLogo();
    struct Case {
        const char* name;
        std::uint8_t count;
        std::size_t frames;
    };
    for (const Case& c : {Case{"static", 0, 1}, Case{"one entry", 1, 1}, Case{"two entries", 2, 2},
                          Case{"all but entry 0", 255, 255}}) {
        const auto decoded = DecodeGif(Encode(BuildAnimationFrames(image, TableOf(image), c.count, false)));
        ASSERT_TRUE(decoded.ok) << c.name;
        EXPECT_EQ(decoded.frames.size(), c.frames) << c.name;
        EXPECT_EQ(decoded.loopCount, 0) << c.name;
    }
}

TEST(GifExport, CycleThatNoPixelUsesStillHasItsFrames)
{
    logo::LogoImage image = logo::MakeBlankLogo();
    image.colorTable[1] = {0, 0, 255, 0};
    std::fill(image.pixels.begin(), image.pixels.begin() + 320, 1);
    const auto decoded = DecodeGif(Encode(BuildAnimationFrames(image, TableOf(image), 4, false)));
    ASSERT_TRUE(decoded.ok);
    ASSERT_EQ(decoded.frames.size(), 4u);
    EXPECT_EQ(decoded.areas[3], (std::array<int, 4>{0, 0, 1, 1}));
    EXPECT_TRUE(decoded.frames[3].rgb == decoded.frames[0].rgb);
}

TEST(GifExport, PeriodBecomesTheDelayInHundredths)
{
    const logo::LogoImage image = MakeBarLogo();
    for (const auto& [period, delay] : {std::pair{250, 25}, std::pair{104, 10}, std::pair{105, 11}, std::pair{10, 1}}) {
        const auto decoded = DecodeGif(Encode(BuildAnimationFrames(image, TableOf(image), 3, false, period)));
        ASSERT_TRUE(decoded.ok);
        EXPECT_EQ(decoded.delays.front(), delay) << period;
        EXPECT_EQ(decoded.delays.back(), delay) << period;
    }
}

TEST(GifExport, WritesTheFileOrNothing)
{
    testing_support::TempDir dir;
    const logo::LogoImage image = MakeBarLogo();
    const AnimationFrames frames = BuildAnimationFrames(image, TableOf(image), 21, false);

    const std::string path = dir.File("bar.gif");
    ASSERT_TRUE(exporting::ExportGif(path, frames));
    EXPECT_TRUE(DecodeGif(testing_support::ReadAll(path)).ok);

    const auto missingFolder = exporting::ExportGif(dir.File("no/such/folder.gif"), frames);
    EXPECT_FALSE(missingFolder);
    EXPECT_FALSE(missingFolder.reason.empty());

    std::filesystem::create_directory(dir.File("folder.gif"));
    EXPECT_FALSE(exporting::ExportGif(dir.File("folder.gif"), frames));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.gif")));

    // A picture that is not a logo has no frames: refused, the old file kept.
    logo::LogoImage notALogo = image;
    notALogo.height = 200;
    const auto before = testing_support::ReadAll(path);
    EXPECT_FALSE(exporting::ExportGif(path, BuildAnimationFrames(notALogo, TableOf(image), 21, false)));
    EXPECT_EQ(testing_support::ReadAll(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);  // bar.gif, folder.gif
}
