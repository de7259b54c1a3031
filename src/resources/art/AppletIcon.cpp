#include "resources/art/AppletIcon.h"

#include "resources/art/VgaPalette.h"
#include "resources/art/PixelArt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace res::art {

namespace {

struct Rgb {
    int red;
    int green;
    int blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kGrey{128, 128, 128};

// The 16-colour drawing uses the system colours only; the 256-colour one
// gets smooth gradients.
enum class Depth { Colours16, Colours256 };

int Round(double value)
{
    return static_cast<int>(std::lround(value));
}

Rgb Mix(Rgb a, Rgb b, double t)
{
    return {Round(a.red + (b.red - a.red) * t), Round(a.green + (b.green - a.green) * t),
            Round(a.blue + (b.blue - a.blue) * t)};
}

struct Box {
    int left;
    int top;
    int right;   // inclusive
    int bottom;  // inclusive
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool OnBorder(int x, int y, int thickness) const
    {
        return Contains(x, y) && (x < left + thickness || x > right - thickness || y < top + thickness ||
                                  y > bottom - thickness);
    }
};

// Geometry for one size, snapped to whole pixels.
struct Layout {
    Box bezel;
    Box screen;
    Box neck;
    Box base;
    int horizon;
    int barTop;
    double sunX;
    double sunRadius;
    int line;  // the width of outlines and bevels: one pixel up to 48, thicker for the large icon
};

Layout LayoutFor(int size)
{
    const double s = size;
    Layout layout{};
    layout.line = std::max(1, size / 48);
    const int side = std::max(0, Round(0.03 * s));
    layout.bezel = {side, Round(0.06 * s), size - 1 - side, Round(0.72 * s)};
    const int inset = std::max(2, Round(0.09 * s));
    layout.screen = {layout.bezel.left + inset, layout.bezel.top + inset, layout.bezel.right - inset,
                     layout.bezel.bottom - inset};
    layout.neck = {Round(0.40 * s), layout.bezel.bottom + 1, size - 1 - Round(0.40 * s), Round(0.84 * s)};
    layout.base = {Round(0.22 * s), layout.neck.bottom + 1, size - 1 - Round(0.22 * s),
                   std::min(size - 1, Round(0.93 * s))};
    const int screenHeight = layout.screen.bottom - layout.screen.top;
    const int barHeight = std::max(1, Round(screenHeight * 0.16));
    layout.barTop = layout.screen.bottom - barHeight;
    layout.horizon = layout.screen.top + Round(screenHeight * 0.62);
    layout.sunX = (layout.screen.left + layout.screen.right + 1) / 2.0;
    layout.sunRadius = (layout.screen.right - layout.screen.left + 1) * 0.22;
    return layout;
}

Rgb SkyColour(const Layout& layout, int y, Depth depth)
{
    const double t = std::clamp(static_cast<double>(y - layout.screen.top) / (layout.horizon - layout.screen.top), 0.0,
                                1.0);
    if (depth == Depth::Colours16) {
        if (t < 0.34)
            return {0, 0, 128};    // navy
        if (t < 0.67)
            return {128, 0, 128};  // purple
        return {128, 0, 0};        // maroon glow at the horizon
    }
    const Rgb top{12, 20, 92};
    const Rgb middle{150, 48, 120};
    const Rgb low{255, 132, 48};
    return t < 0.5 ? Mix(top, middle, t * 2) : Mix(middle, low, (t - 0.5) * 2);
}

Rgb BarColour(const Layout& layout, int x)
{
    static constexpr std::array<Rgb, 6> kBands = {
        Rgb{255, 0, 0}, Rgb{255, 255, 0}, Rgb{0, 255, 0}, Rgb{0, 255, 255}, Rgb{0, 0, 255}, Rgb{255, 0, 255}};
    const int width = layout.screen.right - layout.screen.left + 1;
    const int band = (x - layout.screen.left) * static_cast<int>(kBands.size()) / width;
    return kBands[static_cast<std::size_t>(std::clamp(band, 0, static_cast<int>(kBands.size()) - 1))];
}

Rgb ScreenColour(const Layout& layout, int x, int y, Depth depth)
{
    if (y > layout.barTop)
        return BarColour(layout, x);
    if (y > layout.barTop - layout.line)
        return kBlack;
    const double dx = x + 0.5 - layout.sunX;
    const double dy = y + 0.5 - (layout.horizon + 0.5);
    if (y <= layout.horizon && dx * dx + dy * dy <= layout.sunRadius * layout.sunRadius) {
        if (depth == Depth::Colours16)
            return Rgb{255, 255, 0};
        // Pale at the top of the disc, deeper yellow where it meets the sea.
        const double height = std::clamp(-dy / layout.sunRadius, 0.0, 1.0);
        return Mix(Rgb{255, 196, 40}, Rgb{255, 248, 170}, height);
    }
    if (y <= layout.horizon)
        return SkyColour(layout, y, depth);
    // The sea below the horizon, with the sun's glitter straight under it.
    const bool glitter = std::abs(dx) <= layout.sunRadius * 0.5 && ((y - layout.horizon) / layout.line % 2 == 1);
    if (depth == Depth::Colours16)
        return glitter ? Rgb{255, 255, 0} : Rgb{0, 0, 128};
    return glitter ? Rgb{255, 190, 60} : Mix(Rgb{40, 30, 110}, Rgb{10, 14, 60}, 0.5);
}

// The colour at a pixel, or nothing where the icon is transparent.
std::optional<Rgb> IconColour(const Layout& layout, int size, int x, int y, Depth depth)
{
    if (layout.bezel.Contains(x, y)) {
        const int line = layout.line;
        if (layout.bezel.OnBorder(x, y, line))
            return kBlack;
        const Box frame{layout.screen.left - line, layout.screen.top - line, layout.screen.right + line,
                        layout.screen.bottom + line};
        if (frame.OnBorder(x, y, line))
            return (x < frame.left + line || y < frame.top + line) ? kGrey : kWhite;  // sunken screen edge
        if (layout.screen.Contains(x, y))
            return ScreenColour(layout, x, y, depth);
        if (size >= 32 && (x < layout.bezel.left + 2 * line || y < layout.bezel.top + 2 * line))
            return kWhite;  // raised bezel
        if (size >= 32 && (x > layout.bezel.right - 2 * line || y > layout.bezel.bottom - 2 * line))
            return kGrey;
        // A small green power light on the bezel's chin.
        const int lightBottom = layout.bezel.bottom - std::max(2, size / 16);
        if (size >= 32 && y <= lightBottom && y > lightBottom - line && x >= layout.bezel.right - size / 8
            && x <= layout.bezel.right - size / 8 + size / 32)
            return Rgb{0, 255, 0};
        return kSilver;
    }
    const int line = layout.line;
    if (layout.neck.Contains(x, y))
        return (x < layout.neck.left + line || x > layout.neck.right - line) ? kBlack : kGrey;
    if (layout.base.Contains(x, y)) {
        if (layout.base.OnBorder(x, y, line))
            return kBlack;
        return y < layout.base.top + 2 * line && size >= 32 ? kWhite : kSilver;
    }
    return std::nullopt;
}

int Distance(Rgb a, logo::RgbQuad b)
{
    const int dr = a.red - b.red;
    const int dg = a.green - b.green;
    const int db = a.blue - b.blue;
    return dr * dr + dg * dg + db * db;
}

IconImage Render(int size, Depth depth)
{
    const Layout layout = LayoutFor(size);
    const std::uint16_t bits = depth == Depth::Colours16 ? 4 : 8;
    IconImage image{MakeIndexedPicture(size, size, bits), std::vector<bool>(static_cast<std::size_t>(size * size), true)};
    logo::Picture& picture = image.picture;

    // 16 colours: the system table. 256 colours: the table holds exactly the
    // colours drawn, so nothing is lost to quantisation.
    std::size_t used = 0;
    if (depth == Depth::Colours16) {
        std::copy(kVgaPalette.begin(), kVgaPalette.end(), picture.colorTable.begin());
        used = kVgaPalette.size();
    } else {
        used = 1;  // entry 0 stays black, the colour under transparent pixels
    }

    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const std::optional<Rgb> colour = IconColour(layout, size, x, y, depth);
            if (!colour)
                continue;
            const std::size_t at = static_cast<std::size_t>(y * size + x);
            image.mask[at] = false;
            std::size_t best = 0;
            for (std::size_t i = 1; i < used; ++i) {
                if (Distance(*colour, picture.colorTable[i]) < Distance(*colour, picture.colorTable[best]))
                    best = i;
            }
            if (depth == Depth::Colours256 && Distance(*colour, picture.colorTable[best]) != 0) {
                if (used == picture.colorTable.size())
                    throw std::logic_error("the icon uses more than 256 colours");
                picture.colorTable[used] = logo::RgbQuad{static_cast<std::uint8_t>(colour->blue),
                                                         static_cast<std::uint8_t>(colour->green),
                                                         static_cast<std::uint8_t>(colour->red), 0};
                best = used++;
            }
            picture.pixels[at] = static_cast<std::uint8_t>(best);
        }
    }
    return image;
}

}  // namespace

std::vector<IconImage> RenderAppletIcon()
{
    std::vector<IconImage> images;
    for (const Depth depth : {Depth::Colours16, Depth::Colours256}) {
        for (const int size : {16, 32, 48})
            images.push_back(Render(size, depth));
    }
    return images;
}

RgbaIcon RenderLargeAppletIcon(int size)
{
    if (size < 16)
        throw std::invalid_argument("the icon is drawn at 16 pixels or more");
    const Layout layout = LayoutFor(size);
    RgbaIcon icon{size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4, 0)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const std::optional<Rgb> colour = IconColour(layout, size, x, y, Depth::Colours256);
            if (!colour)
                continue;
            std::uint8_t* pixel = icon.rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
                                                      static_cast<std::size_t>(x)) * 4;
            pixel[0] = static_cast<std::uint8_t>(colour->red);
            pixel[1] = static_cast<std::uint8_t>(colour->green);
            pixel[2] = static_cast<std::uint8_t>(colour->blue);
            pixel[3] = 255;
        }
    }
    return icon;
}

}  // namespace res::art
