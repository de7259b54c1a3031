// The WebP and PNG exports read back with libwebp's and libpng's decoders.

#include "DecodedAnimation.h"
#include "ExportTestLogos.h"
#include "common/TestFiles.h"
#include "export/PngExport.h"
#include "export/WebpExport.h"
#include "logo/BootScreen.h"

#include <gtest/gtest.h>

using export_testing::MakeBarLogo;
using export_testing::TableOf;
using exporting::BuildAnimationFrames;

namespace {

std::vector<std::uint8_t> EncodeWebp(const exporting::AnimationFrames& frames)
{
    std::string error;
    std::vector<std::uint8_t> bytes = exporting::EncodeWebp(frames, error);
    EXPECT_FALSE(bytes.empty()) << error;
    return bytes;
}

}  // namespace

TEST(WebpExport, LosslessFramesEqualTheRenderedTicks)
{
    const logo::LogoImage image = MakeBarLogo();
    const auto decoded = export_testing::DecodeWebp(EncodeWebp(BuildAnimationFrames(image, TableOf(image), 21, true)));
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.width, 640);
    EXPECT_EQ(decoded.height, 480);
    EXPECT_EQ(decoded.loopCount, 0);
    ASSERT_EQ(decoded.frames.size(), 21u);
    for (unsigned k = 0; k < 21; ++k) {
        const logo::RgbImage expected =
            logo::RenderBootScreen(image, logo::TableAfterTicks(TableOf(image), 21, k), true);
        EXPECT_TRUE(decoded.frames[k].rgb == expected.rgb) << "frame " << k;
        EXPECT_EQ(decoded.timestamps[k], 100 * static_cast<int>(k + 1)) << "frame " << k;
    }
}

TEST(WebpExport, PeriodAndStaticLogo)
{
    const logo::LogoImage image = MakeBarLogo();
    const auto slow = export_testing::DecodeWebp(EncodeWebp(BuildAnimationFrames(image, TableOf(image), 3, false, 250)));
    ASSERT_TRUE(slow.ok);
    EXPECT_EQ(slow.timestamps, (std::vector<int>{250, 500, 750}));

    const auto still = export_testing::DecodeWebp(EncodeWebp(BuildAnimationFrames(image, TableOf(image), 0, false)));
    ASSERT_TRUE(still.ok);
    ASSERT_EQ(still.frames.size(), 1u);
    EXPECT_TRUE(still.frames[0].rgb == logo::RenderBootScreen(image, TableOf(image), false).rgb);
}

TEST(PngExport, OneFrameAsRendered)
{
    const logo::LogoImage image = MakeBarLogo();
    for (const bool screen : {false, true}) {
        const logo::RgbImage frame =
            logo::RenderBootScreen(image, logo::TableAfterTicks(TableOf(image), 21, 5), screen);
        std::string error;
        const auto decoded = export_testing::DecodePng(exporting::EncodePng(frame, error));
        EXPECT_EQ(decoded.width, frame.width);
        EXPECT_EQ(decoded.height, frame.height);
        EXPECT_TRUE(decoded.rgb == frame.rgb) << (screen ? "screen" : "logo");
    }
}

TEST(PngExport, RefusesAnEmptyImageAndLeavesNoFile)
{
    testing_support::TempDir dir;
    const auto result = exporting::ExportPng(dir.File("x.png"), logo::RgbImage{});
    EXPECT_FALSE(result);
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.png")));
}
