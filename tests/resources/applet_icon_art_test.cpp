// The desktop's large icon is the icon group's design, drawn in true colour.

#include "resources/art/AppletIcon.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <stdexcept>

namespace {

using Rgba = std::array<std::uint8_t, 4>;

Rgba PixelOf(const res::art::RgbaIcon& icon, int x, int y)
{
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(icon.size) + static_cast<std::size_t>(x)) * 4;
    return {icon.rgba[at], icon.rgba[at + 1], icon.rgba[at + 2], icon.rgba[at + 3]};
}

TEST(LargeAppletIcon, AtFortyEightPixelsEqualsTheIconGroupsDeepestImage)
{
    const std::vector<res::art::IconImage> group = res::art::RenderAppletIcon();
    const res::art::IconImage& deepest48 = group.back();  // ordered by depth, then size
    ASSERT_EQ(deepest48.picture.width, 48);
    ASSERT_EQ(deepest48.picture.bitsPerPixel, 8);

    const res::art::RgbaIcon drawn = res::art::RenderLargeAppletIcon(48);
    ASSERT_EQ(drawn.size, 48);
    ASSERT_EQ(drawn.rgba.size(), 48u * 48u * 4u);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            const std::size_t at = static_cast<std::size_t>(y * 48 + x);
            const Rgba pixel = PixelOf(drawn, x, y);
            if (deepest48.mask[at]) {
                EXPECT_EQ(pixel[3], 0) << x << "," << y;
                continue;
            }
            const logo::RgbQuad quad = deepest48.picture.colorTable[deepest48.picture.pixels[at]];
            EXPECT_EQ(pixel, (Rgba{quad.red, quad.green, quad.blue, 255})) << x << "," << y;
        }
    }
}

TEST(LargeAppletIcon, At256PixelsHasTransparentCornersAndOutlinesThatGrowWithIt)
{
    const res::art::RgbaIcon icon = res::art::RenderLargeAppletIcon(256);
    ASSERT_EQ(icon.size, 256);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{255, 0}, std::pair{0, 255}, std::pair{255, 255}})
        EXPECT_EQ(PixelOf(icon, x, y)[3], 0) << x << "," << y;
    EXPECT_EQ(PixelOf(icon, 128, 100)[3], 255);

    // The bezel's left outline on a row through the screen: black, five
    // pixels wide at 256 (one at 48), then the white bevel.
    int first = 0;
    while (first < 256 && PixelOf(icon, first, 100)[3] == 0)
        ++first;
    ASSERT_LT(first, 256);
    for (int x = first; x < first + 5; ++x)
        EXPECT_EQ(PixelOf(icon, x, 100), (Rgba{0, 0, 0, 255})) << x;
    EXPECT_EQ(PixelOf(icon, first + 5, 100), (Rgba{255, 255, 255, 255}));
}

TEST(LargeAppletIcon, RefusesSizesTooSmallToDraw)
{
    EXPECT_THROW(res::art::RenderLargeAppletIcon(15), std::invalid_argument);
    EXPECT_THROW(res::art::RenderLargeAppletIcon(0), std::invalid_argument);
    EXPECT_NO_THROW(res::art::RenderLargeAppletIcon(16));
}

}  // namespace
