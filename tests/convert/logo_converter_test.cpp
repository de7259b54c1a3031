// The conversion's promises about the colour table: entry 0, the reserved
// entries, colours the VGA can tell apart, resampling in linear light, the
// animated bar, and refusals of bad requests.

#include "ConvertTestPictures.h"
#include "convert/LogoConverter.h"
#include "convert/VgaQuantizer.h"
#include "logo/PaletteOperations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace {

using convert::ConvertOptions;
using convert::ConvertResult;
using testing_support::MakePhotoLike;
using testing_support::MakeRgba;
using testing_support::MakeSolid;
using testing_support::Rgba;

int HighestIndex(const logo::LogoImage& image)
{
    return *std::max_element(image.pixels.begin(), image.pixels.end());
}

TEST(LogoConverterTable, ReservedEntriesStayUnused)
{
    for (const int reserved : {0, 21, 100, 254}) {
        ConvertOptions options;
        options.reserved = reserved;
        const ConvertResult result = convert::ConvertToLogo(MakePhotoLike(400, 300), options);
        ASSERT_TRUE(result) << result.reason;
        EXPECT_LT(HighestIndex(*result.picture), 256 - reserved) << "reserved " << reserved;
        EXPECT_LE(result.colorsUsed, 256 - reserved);
        EXPECT_EQ(result.colorsUsed, convert::CountUsedEntries(*result.picture));
    }
}

TEST(LogoConverterTable, AllButOneReservedLeavesOnlyTheFillColour)
{
    ConvertOptions options;
    options.reserved = 255;
    options.fillColor = {1, 2, 3};
    const ConvertResult result = convert::ConvertToLogo(MakePhotoLike(64, 48), options);
    ASSERT_TRUE(result) << result.reason;
    EXPECT_EQ(HighestIndex(*result.picture), 0);
    EXPECT_EQ(result.colorsUsed, 1);
}

TEST(LogoConverterTable, EntryZeroIsTheFillColourExactly)
{
    ConvertOptions options;
    options.fillColor = {10, 201, 33};
    const ConvertResult result = convert::ConvertToLogo(MakePhotoLike(160, 90), options);
    ASSERT_TRUE(result) << result.reason;
    EXPECT_EQ(result.picture->colorTable[0], (logo::RgbQuad{33, 201, 10, 0}));
    EXPECT_EQ(result.picture->pixels.front(), 0);  // the top band
}

TEST(LogoConverterTable, AFillColourBetweenDacStepsKeepsTheTableWithin256Entries)
{
    // 3 lies between two DAC steps; with no entry reserved the quantiser
    // may spend all 256 entries besides.
    ConvertOptions options;
    options.reserved = 0;
    options.fillColor = {3, 3, 3};
    const ConvertResult result = convert::ConvertToLogo(MakePhotoLike(400, 300), options);
    ASSERT_TRUE(result) << result.reason;
    EXPECT_EQ(result.picture->colorTable[0], (logo::RgbQuad{3, 3, 3, 0}));
    EXPECT_EQ(result.picture->colorTable.size(), 256u);
    EXPECT_LE(result.colorsUsed, 256);
}

TEST(LogoConverterTable, UsedColoursDifferOnTheSixBitDac)
{
    const ConvertResult result = convert::ConvertToLogo(MakePhotoLike(400, 300), ConvertOptions{});
    ASSERT_TRUE(result) << result.reason;
    const auto& table = result.picture->colorTable;
    std::set<int> seen;
    for (int i = 0; i < result.colorsUsed; ++i) {
        const logo::RgbQuad& e = table[static_cast<std::size_t>(i)];
        EXPECT_TRUE(seen.insert((e.red >> 2) << 12 | (e.green >> 2) << 6 | (e.blue >> 2)).second) << "entry " << i;
        if (i > 0) {
            EXPECT_EQ(e.red, convert::AsShownByDac(e.red)) << "entry " << i;
            EXPECT_EQ(e.blue, convert::AsShownByDac(e.blue)) << "entry " << i;
        }
    }
    EXPECT_GT(result.colorsUsed, 200);  // a photograph spends the palette
}

TEST(LogoConverterTable, TransparentPixelsShowTheFillColour)
{
    ConvertOptions options;
    options.fillColor = {0, 0, 252};
    options.geometry = convert::Geometry::Stretch;
    const ConvertResult result = convert::ConvertToLogo(MakeSolid(64, 80, {255, 0, 0, 0}), options);
    ASSERT_TRUE(result) << result.reason;
    EXPECT_EQ(HighestIndex(*result.picture), 0);
}

TEST(LogoConverterTable, ResamplingAveragesInLinearLight)
{
    // A one-pixel checkerboard halved in both directions is a grey of half
    // the light: about 188 in sRGB, where averaging the codes gives 128.
    const auto board = MakeRgba(640, 800, [](int x, int y) {
        const std::uint8_t v = (x + y) % 2 ? 255 : 0;
        return Rgba{v, v, v, 255};
    });
    ConvertOptions options;
    options.geometry = convert::Geometry::Stretch;
    options.dither = 0;
    const ConvertResult result = convert::ConvertToLogo(board, options);
    ASSERT_TRUE(result) << result.reason;
    const logo::LogoImage& image = *result.picture;
    const logo::RgbQuad middle = image.colorTable[image.pixels[200 * logo::kLogoWidth + 160]];
    EXPECT_NEAR(middle.green, 188, 6);
}

TEST(LogoConverterTable, UnditheredFlatArtKeepsItsColours)
{
    const auto art = MakeRgba(320, 240, [](int x, int) {
        return x < 160 ? Rgba{252, 0, 0, 255} : Rgba{0, 128, 252, 255};
    });
    ConvertOptions options;
    options.dither = 0;
    const ConvertResult result = convert::ConvertToLogo(art, options);
    ASSERT_TRUE(result) << result.reason;
    const logo::LogoImage& image = *result.picture;
    EXPECT_EQ(image.colorTable[image.pixels[200 * 320 + 10]], (logo::RgbQuad{0, 0, 255, 0}));
    EXPECT_EQ(image.colorTable[image.pixels[200 * 320 + 310]], (logo::RgbQuad{255, 130, 0, 0}));
}

TEST(LogoConverterBar, BarIsMadeInTheGivenColour)
{
    ConvertOptions options;
    options.barColor = convert::Rgb{0, 0, 180};
    const ConvertResult result = convert::ConvertToLogo(MakePhotoLike(400, 300), options);
    ASSERT_TRUE(result) << result.reason;
    EXPECT_TRUE(result.animated);
    EXPECT_EQ(result.animCount, 21);
    const logo::LogoImage& image = *result.picture;
    EXPECT_EQ(image.colorTable[245], (logo::RgbQuad{180, 0, 0, 0}));
    EXPECT_EQ(image.pixels[399 * 320], 254);  // the bar's first band
    EXPECT_EQ(image.colorTable[0], (logo::RgbQuad{0, 0, 0, 0}));
}

TEST(LogoConverterRefusals, BadRequestsAreRefusedWithAReason)
{
    const logo::RgbaImage photo = MakePhotoLike(40, 30);
    ConvertOptions tooMany;
    tooMany.reserved = 256;
    ConvertOptions negative;
    negative.reserved = -1;
    ConvertOptions notANumber;
    notANumber.dither = std::numeric_limits<float>::quiet_NaN();
    ConvertOptions strong;
    strong.dither = 1.5f;
    ConvertOptions cramped;
    cramped.reserved = 20;
    cramped.barColor = convert::Rgb{};
    for (const ConvertOptions& options : {tooMany, negative, notANumber, strong, cramped}) {
        const ConvertResult result = convert::ConvertToLogo(photo, options);
        EXPECT_FALSE(result);
        EXPECT_FALSE(result.reason.empty());
    }

    logo::RgbaImage broken = photo;
    broken.rgba.pop_back();
    EXPECT_FALSE(convert::ConvertToLogo(broken, ConvertOptions{}));
    EXPECT_FALSE(convert::ConvertToLogo(logo::RgbaImage{}, ConvertOptions{}));
}

}  // namespace
