// Convert Picture in the Win32 build: the resampler works (its header's code
// is compiled in), and a conversion refuses with the reason the missing
// colour reduction gives, after the options have been checked.

#include "convert/ConvertTestPictures.h"

#include "convert/LinearResample.h"
#include "convert/LogoConverter.h"
#include "convert/VgaQuantizer.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kUnavailable = "converting pictures is not available in this build of Lumivane";

TEST(Win32Convert, AConversionRefusesWithTheReason)
{
    const logo::RgbaImage source = testing_support::MakePhotoLike(64, 48);
    const convert::ConvertResult result = convert::ConvertToLogo(source, convert::ConvertOptions{});
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.picture);
    EXPECT_EQ(result.reason, kUnavailable);
}

TEST(Win32Convert, OptionsOutOfRangeAreStillNamed)
{
    convert::ConvertOptions options;
    options.reserved = 300;
    const convert::ConvertResult result = convert::ConvertToLogo(testing_support::MakeSolid(4, 4, {1, 2, 3, 255}), options);
    EXPECT_EQ(result.reason, "the reserved entries must be from 0 to 255");
    EXPECT_EQ(convert::ConvertToLogo(logo::RgbaImage{}, convert::ConvertOptions{}).reason, "the picture has no pixels");
}

TEST(Win32Convert, TheQuantizerRefusesWhateverItIsGiven)
{
    const convert::QuantizedPicture reduced =
        convert::QuantizeForVga(testing_support::MakeSolid(2, 2, {9, 9, 9, 255}), convert::Rgb{}, 256, 1.0f);
    EXPECT_FALSE(reduced);
    EXPECT_EQ(reduced.reason, kUnavailable);
}

TEST(Win32Convert, ResamplingKeepsASolidColourAndTheShape)
{
    const logo::RgbaImage source = testing_support::MakeSolid(40, 20, {200, 100, 50, 255});
    logo::RgbaImage result;
    ASSERT_TRUE(convert::ResampleRegion(source, convert::SourceRegion{0, 0, 40, 20}, 10, 5, result));
    ASSERT_TRUE(result.IsWellFormed());
    EXPECT_EQ(result.width, 10);
    for (std::size_t i = 0; i < result.rgba.size(); i += 4) {
        EXPECT_NEAR(result.rgba[i], 200, 1);
        EXPECT_NEAR(result.rgba[i + 1], 100, 1);
        EXPECT_NEAR(result.rgba[i + 2], 50, 1);
    }
    const logo::RgbaImage reduced = convert::ReduceToPixelCount(source, 200);
    EXPECT_EQ(reduced.width, 20);
    EXPECT_EQ(reduced.height, 10);
}

}  // namespace
