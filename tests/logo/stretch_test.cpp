// Nearest-neighbour stretching for the main dialog's preview.

#include "common/TestFiles.h"
#include "logo/LogoFile.h"
#include "logo/Stretch.h"

#include <gtest/gtest.h>

namespace {

logo::Picture Indexed(std::int32_t width, std::int32_t height, std::vector<std::uint8_t> pixels)
{
    logo::Picture picture;
    picture.width = width;
    picture.height = height;
    picture.bitsPerPixel = 8;
    picture.colorTable.assign(256, {});
    picture.colorTable[1] = {10, 20, 30, 0};
    picture.pixels = std::move(pixels);
    return picture;
}

}  // namespace

TEST(Stretch, DoublingRepeatsEveryPixel)
{
    const logo::Picture source = Indexed(2, 2, {1, 2, 3, 4});
    const logo::Picture big = logo::StretchPicture(source, 4, 4);
    ASSERT_EQ(big.width, 4);
    ASSERT_EQ(big.height, 4);
    EXPECT_EQ(big.pixels, (std::vector<std::uint8_t>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}));
}

TEST(Stretch, ShrinkingPicksTheNearestSourceTowardsTheOrigin)
{
    const logo::Picture source = Indexed(4, 1, {5, 6, 7, 8});
    EXPECT_EQ(logo::StretchPicture(source, 2, 1).pixels, (std::vector<std::uint8_t>{5, 7}));
    EXPECT_EQ(logo::StretchPicture(source, 3, 2).pixels, (std::vector<std::uint8_t>{5, 6, 7, 5, 6, 7}));
}

TEST(Stretch, IndexedPictureStaysIndexedWithItsTable)
{
    const logo::LogoImage logo = testing_support::MakeVariedLogo(2);
    const logo::Picture preview = logo::StretchPicture(logo, 480, 390);
    EXPECT_EQ(preview.bitsPerPixel, 8);
    EXPECT_EQ(preview.colorTable, logo.colorTable);
    ASSERT_EQ(preview.pixels.size(), 480u * 390u);
    EXPECT_TRUE(logo::HasFullColorTable(preview));
    EXPECT_EQ(preview.pixels.front(), logo.pixels.front());
    // Row 389 of 390 comes from row 389 * 400 / 390 = 398.
    EXPECT_EQ(preview.pixels[389 * 480 + 479], logo.pixels[398 * 320 + 319]);
}

TEST(Stretch, DirectColourPicturesKeepTheirPixels)
{
    logo::Picture source;
    source.width = 2;
    source.height = 1;
    source.bitsPerPixel = 24;
    source.pixels = {1, 2, 3, 0, 4, 5, 6, 0};
    const logo::Picture wide = logo::StretchPicture(source, 4, 1);
    EXPECT_EQ(wide.pixels, (std::vector<std::uint8_t>{1, 2, 3, 0, 1, 2, 3, 0, 4, 5, 6, 0, 4, 5, 6, 0}));
}

TEST(Stretch, RefusesEmptySourcesAndImpossibleSizes)
{
    const logo::Picture source = Indexed(2, 2, {1, 2, 3, 4});
    EXPECT_EQ(logo::StretchPicture(source, 0, 10).width, 0);
    EXPECT_EQ(logo::StretchPicture(source, 10, -1).width, 0);
    EXPECT_EQ(logo::StretchPicture(source, logo::kMaxDimension + 1, 1).width, 0);
    EXPECT_EQ(logo::StretchPicture(logo::Picture{}, 10, 10).width, 0);
    logo::Picture inconsistent = source;
    inconsistent.pixels.resize(3);
    EXPECT_EQ(logo::StretchPicture(inconsistent, 4, 4).width, 0);
}

TEST(Stretch, LoadsAFileScaled)
{
    testing_support::TempDir dir;
    const logo::LogoImage logo = testing_support::MakeVariedLogo(9);
    logo::ColorTable table{};
    std::copy(logo.colorTable.begin(), logo.colorTable.end(), table.begin());
    testing_support::WriteAll(dir.File("l.bmp"), logo::EncodeLogoFile(logo, table, false, 0));
    const logo::LoadResult loaded = logo::LoadBmpFileScaled(dir.File("l.bmp"), 480, 390);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded.picture->width, 480);
    EXPECT_EQ(loaded.picture->height, 390);
    EXPECT_FALSE(logo::LoadBmpFileScaled(dir.File("none.bmp"), 480, 390));
}
