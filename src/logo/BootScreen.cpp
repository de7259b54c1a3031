#include "logo/BootScreen.h"

#include "logo/Animation.h"

#include <array>
#include <cstring>

namespace logo {

namespace {

using PackedTable = std::array<std::array<std::uint8_t, 3>, 256>;

PackedTable PackRgb(const ColorTable& table)
{
    PackedTable packed{};
    for (std::size_t i = 0; i < table.size(); ++i)
        packed[i] = {table[i].red, table[i].green, table[i].blue};
    return packed;
}

}  // namespace

std::uint8_t DacLevel(std::uint8_t channel)
{
    const unsigned level = channel >> 2;
    // 63 is odd and 255 * level is never exactly half way, so + 31 rounds.
    return static_cast<std::uint8_t>((level * 255 + 31) / 63);
}

ColorTable ThroughDac(const ColorTable& table)
{
    ColorTable shown{};
    for (std::size_t i = 0; i < table.size(); ++i)
        shown[i] = {DacLevel(table[i].blue), DacLevel(table[i].green), DacLevel(table[i].red), 0};
    return shown;
}

int BootScreenRowOf(int logoRow, int scale)
{
    return logoRow * kBootScreenHeight * scale / kLogoHeight;
}

std::vector<std::uint8_t> ScaleToBootScreen(const std::vector<std::uint8_t>& logoPixels, int scale)
{
    std::vector<std::uint8_t> screen;
    if (logoPixels.size() != kLogoPixelBytes || scale < 1)
        return screen;
    const auto width = static_cast<std::size_t>(kBootScreenWidth) * static_cast<std::size_t>(scale);
    const auto columns = static_cast<std::size_t>(2 * scale);
    screen.resize(width * static_cast<std::size_t>(kBootScreenHeight) * static_cast<std::size_t>(scale));
    for (int row = 0; row < kLogoHeight; ++row) {
        const std::uint8_t* source = logoPixels.data() + static_cast<std::size_t>(row) * kLogoWidth;
        const int top = BootScreenRowOf(row, scale);
        const int end = BootScreenRowOf(row + 1, scale);
        std::uint8_t* target = screen.data() + static_cast<std::size_t>(top) * width;
        for (std::size_t x = 0; x < static_cast<std::size_t>(kLogoWidth); ++x)
            std::memset(target + columns * x, source[x], columns);
        for (int copy = top + 1; copy < end; ++copy)
            std::memcpy(screen.data() + static_cast<std::size_t>(copy) * width, target, width);
    }
    return screen;
}

ColorTable TableAfterTicks(const ColorTable& table, std::uint8_t count, unsigned ticks)
{
    PaletteState state;
    state.m_colorTable = table;
    state.m_animCount = count;
    // The cycle repeats after count ticks, so only the remainder matters.
    const unsigned steps = count == 0 ? 0 : ticks % count;
    for (unsigned i = 0; i < steps; ++i)
        AnimationStep(state);
    return state.m_colorTable;
}

RgbImage RenderBootScreen(const LogoImage& picture, const ColorTable& table, bool screen)
{
    RgbImage image;
    if (!IsLogoImage(picture))
        return image;
    const PackedTable colours = PackRgb(screen ? ThroughDac(table) : table);
    const std::uint8_t* indices = picture.pixels.data();

    if (!screen) {
        image.width = kLogoWidth;
        image.height = kLogoHeight;
        image.rgb.resize(kLogoPixelBytes * 3);
        std::uint8_t* out = image.rgb.data();
        for (std::size_t i = 0; i < kLogoPixelBytes; ++i, out += 3)
            std::memcpy(out, colours[indices[i]].data(), 3);
        return image;
    }

    image.width = kBootScreenWidth;
    image.height = kBootScreenHeight;
    constexpr std::size_t kRowBytes = static_cast<std::size_t>(kBootScreenWidth) * 3;
    image.rgb.resize(kRowBytes * kBootScreenHeight);
    for (int row = 0; row < kLogoHeight; ++row) {
        const std::uint8_t* source = indices + static_cast<std::size_t>(row) * kLogoWidth;
        const int top = BootScreenRowOf(row);
        const int end = BootScreenRowOf(row + 1);
        std::uint8_t* target = image.rgb.data() + static_cast<std::size_t>(top) * kRowBytes;
        for (int x = 0; x < kLogoWidth; ++x) {
            const std::uint8_t* colour = colours[source[x]].data();
            std::memcpy(target + 6 * x, colour, 3);
            std::memcpy(target + 6 * x + 3, colour, 3);
        }
        for (int copy = top + 1; copy < end; ++copy)
            std::memcpy(image.rgb.data() + static_cast<std::size_t>(copy) * kRowBytes, target, kRowBytes);
    }
    return image;
}

}  // namespace logo
