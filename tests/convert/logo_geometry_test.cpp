// Where pictures land on the logo: fit bands, fill crop and stretch, seen
// through whole conversions of pictures with known edges.

#include "ConvertTestPictures.h"
#include "convert/LogoConverter.h"
#include "convert/LogoGeometry.h"

#include <gtest/gtest.h>

namespace {

using convert::ConvertOptions;
using convert::Geometry;
using testing_support::MakeRgba;
using testing_support::MakeSolid;
using testing_support::Rgba;

logo::RgbQuad ShownAt(const logo::LogoImage& image, int x, int y)
{
    return image.colorTable[image.pixels[static_cast<std::size_t>(y) * logo::kLogoWidth + static_cast<std::size_t>(x)]];
}

std::uint8_t IndexAt(const logo::LogoImage& image, int x, int y)
{
    return image.pixels[static_cast<std::size_t>(y) * logo::kLogoWidth + static_cast<std::size_t>(x)];
}

logo::LogoImage Convert(const logo::RgbaImage& source, Geometry geometry)
{
    ConvertOptions options;
    options.geometry = geometry;
    options.fillColor = {0, 0, 255};
    options.dither = 0;
    const convert::ConvertResult result = convert::ConvertToLogo(source, options);
    EXPECT_TRUE(result) << result.reason;
    return result ? *result.picture : logo::MakeBlankLogo();
}

TEST(LogoGeometry, FitWidePictureGetsBandsAboveAndBelow)
{
    // 16:9 on a 4:3 screen: three quarters of the height, 300 of 400 rows.
    const logo::LogoImage image = Convert(MakeSolid(160, 90, {255, 255, 255, 255}), Geometry::Fit);
    for (const int y : {0, 49, 350, 399})
        EXPECT_EQ(IndexAt(image, 160, y), 0) << "row " << y;
    for (const int y : {50, 200, 349})
        EXPECT_EQ(ShownAt(image, 160, y).green, 255) << "row " << y;
}

TEST(LogoGeometry, FitSquarePictureGetsBandsLeftAndRight)
{
    // 1:1 on a 4:3 screen: three quarters of the width, 240 of 320 columns.
    const logo::LogoImage image = Convert(MakeSolid(100, 100, {255, 255, 255, 255}), Geometry::Fit);
    for (const int x : {0, 39, 280, 319})
        EXPECT_EQ(IndexAt(image, x, 200), 0) << "column " << x;
    for (const int x : {40, 160, 279})
        EXPECT_EQ(ShownAt(image, x, 200).green, 255) << "column " << x;
}

TEST(LogoGeometry, FillCropsTheSidesOfAWidePicture)
{
    // 2:1 keeps its middle 4:3 (columns 33.3 to 166.7 of 200): the red
    // margins of 30 columns are cut away.
    const auto source = MakeRgba(200, 100, [](int x, int) {
        return x < 30 || x >= 170 ? Rgba{255, 0, 0, 255} : Rgba{0, 255, 0, 255};
    });
    const logo::LogoImage image = Convert(source, Geometry::Fill);
    for (const int x : {0, 319})
        EXPECT_EQ(ShownAt(image, x, 200).red, 0) << "column " << x;
    EXPECT_EQ(ShownAt(image, 160, 0).green, 255);
}

TEST(LogoGeometry, FillCropsTopAndBottomOfATallPicture)
{
    // 1:2 keeps its middle 4:3 band (rows 62.5 to 137.5 of 200).
    const auto source = MakeRgba(100, 200, [](int, int y) {
        return y < 55 || y >= 145 ? Rgba{255, 0, 0, 255} : Rgba{0, 255, 0, 255};
    });
    const logo::LogoImage image = Convert(source, Geometry::Fill);
    for (const int y : {0, 399})
        EXPECT_EQ(ShownAt(image, 160, y).red, 0) << "row " << y;
}

TEST(LogoGeometry, StretchSqueezesWithoutBands)
{
    // The left half red, the right half green, on a 2:1 picture: the edge
    // falls in the logo's middle column and no band appears.
    const auto source = MakeRgba(200, 100, [](int x, int) {
        return x < 100 ? Rgba{255, 0, 0, 255} : Rgba{0, 255, 0, 255};
    });
    const logo::LogoImage image = Convert(source, Geometry::Stretch);
    EXPECT_EQ(ShownAt(image, 150, 0).red, 255);
    EXPECT_EQ(ShownAt(image, 170, 399).green, 255);
    EXPECT_EQ(ShownAt(image, 0, 0).blue, 0);
    EXPECT_EQ(ShownAt(image, 319, 399).blue, 0);
}

}  // namespace
