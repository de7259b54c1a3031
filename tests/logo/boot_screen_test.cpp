// The boot-screen rendering: where each logo pixel lands on the 640 x 480
// screen, the colours the 6-bit DAC shows, and the cycle's ticks.

#include "common/TestFiles.h"
#include "logo/BootScreen.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

using logo::ColorTable;
using logo::LogoImage;
using logo::RgbImage;
using logo::RgbQuad;
using testing_support::TableOf;

namespace {

std::array<std::uint8_t, 3> RgbAt(const RgbImage& image, int x, int y)
{
    const std::uint8_t* pixel = image.PixelAt(x, y);
    return {pixel[0], pixel[1], pixel[2]};
}

// Entry 0 black, entry 7 a colour with low bits the DAC drops.
LogoImage LogoWithMarkedPixel(int x, int y)
{
    LogoImage image = logo::MakeBlankLogo();
    image.colorTable[7] = {/*blue*/ 203, /*green*/ 130, /*red*/ 255, 0};
    image.pixels[static_cast<std::size_t>(y) * logo::kLogoWidth + static_cast<std::size_t>(x)] = 7;
    return image;
}

}  // namespace

TEST(DacLevel, KeepsSixBitsSpreadOverTheFullRange)
{
    const std::vector<std::pair<int, int>> cases = {{0, 0},     {3, 0},     {4, 4},     {7, 4},     {100, 101},
                                                    {128, 130}, {200, 202}, {251, 251}, {252, 255}, {255, 255}};
    for (const auto& [channel, shown] : cases)
        EXPECT_EQ(logo::DacLevel(static_cast<std::uint8_t>(channel)), shown) << "channel " << channel;
}

TEST(BootScreenGeometry, RowsFollowSixFifths)
{
    // (logo row, first screen row, rows covered)
    const std::vector<std::array<int, 3>> cases = {{0, 0, 1},   {1, 1, 1},   {3, 3, 1},     {4, 4, 2},
                                                   {5, 6, 1},   {9, 10, 2},  {398, 477, 1}, {399, 478, 2}};
    for (const auto& [row, first, covered] : cases) {
        EXPECT_EQ(logo::BootScreenRowOf(row), first) << "row " << row;
        EXPECT_EQ(logo::BootScreenRowOf(row + 1) - first, covered) << "row " << row;
    }
    EXPECT_EQ(logo::BootScreenRowOf(400), 480);
}

TEST(RenderBootScreen, EachLogoPixelIsTwoWideAndItsRowsTall)
{
    struct Case {
        const char* name;
        int x, y;          // logo pixel
        int left, top;     // first screen pixel
        int rows;          // screen rows it covers
    };
    const std::vector<Case> cases = {
        {"top left", 0, 0, 0, 0, 1},
        {"doubled row", 10, 4, 20, 4, 2},
        {"single row after a double", 100, 5, 200, 6, 1},
        {"bottom right", 319, 399, 638, 478, 2},
    };
    for (const Case& c : cases) {
        const LogoImage image = LogoWithMarkedPixel(c.x, c.y);
        const RgbImage screen = logo::RenderBootScreen(image, TableOf(image), true);
        ASSERT_EQ(screen.width, 640);
        ASSERT_EQ(screen.height, 480);
        // 255, 130, 203 through the DAC.
        const std::array<std::uint8_t, 3> marked = {255, 130, 202};
        int markedPixels = 0;
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                const bool inside = x >= c.left && x < c.left + 2 && y >= c.top && y < c.top + c.rows;
                if (RgbAt(screen, x, y) == marked)
                    ++markedPixels;
                else if (inside)
                    ADD_FAILURE() << c.name << ": screen pixel " << x << "," << y << " not marked";
            }
        }
        EXPECT_EQ(markedPixels, 2 * c.rows) << c.name;
    }
}

TEST(RenderBootScreen, WithoutScreenKeepsTheLogoSizeAndFileColours)
{
    const LogoImage image = LogoWithMarkedPixel(5, 6);
    const RgbImage frame = logo::RenderBootScreen(image, TableOf(image), false);
    ASSERT_EQ(frame.width, 320);
    ASSERT_EQ(frame.height, 400);
    EXPECT_EQ(RgbAt(frame, 5, 6), (std::array<std::uint8_t, 3>{255, 130, 203}));
    EXPECT_EQ(RgbAt(frame, 6, 6), (std::array<std::uint8_t, 3>{0, 0, 0}));
}

TEST(RenderBootScreen, DrawsTheTableItIsGivenNotThePictures)
{
    LogoImage image = logo::MakeBlankLogo();
    ColorTable table{};
    table[0] = {40, 80, 120, 0};
    const RgbImage screen = logo::RenderBootScreen(image, table, true);
    EXPECT_EQ(RgbAt(screen, 639, 479), (std::array<std::uint8_t, 3>{121, 81, 40}));
}

TEST(RenderBootScreen, RefusesAPictureThatIsNotALogo)
{
    LogoImage image = logo::MakeBlankLogo();
    image.height = 240;
    EXPECT_TRUE(logo::RenderBootScreen(image, ColorTable{}, true).rgb.empty());
    EXPECT_TRUE(logo::ScaleToBootScreen(std::vector<std::uint8_t>(10)).empty());
}

TEST(TableAfterTicks, StepsTheCycleAndWrapsAfterN)
{
    ColorTable table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i), 0, 0, 0};
    const ColorTable one = logo::TableAfterTicks(table, 3, 1);
    EXPECT_EQ(one[253].blue, 254);
    EXPECT_EQ(one[254].blue, 255);
    EXPECT_EQ(one[255].blue, 253);
    EXPECT_EQ(one[252].blue, 252);
    EXPECT_EQ(logo::TableAfterTicks(table, 3, 3), table);
    EXPECT_EQ(logo::TableAfterTicks(table, 3, 3001), one);
    EXPECT_EQ(logo::TableAfterTicks(table, 0, 5), table);
    EXPECT_EQ(logo::TableAfterTicks(table, 1, 5), table);
}
