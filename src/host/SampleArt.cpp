#include "host/SampleArt.h"

#include "host/PixelFont.h"
#include "logo/BootScreen.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace host {

namespace {

constexpr int kWidth = logo::kLogoWidth;
constexpr int kHeight = logo::kLogoHeight;
constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    double red;
    double green;
    double blue;
};

Rgb Mix(Rgb from, Rgb to, double t)
{
    return {from.red + (to.red - from.red) * t, from.green + (to.green - from.green) * t,
            from.blue + (to.blue - from.blue) * t};
}

std::uint8_t Channel(double value)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

// Drawing on a logo picture by palette index.
class Canvas {
public:
    Canvas() : m_image(logo::MakeBlankLogo()) {}

    // Entries hold colours the VGA can show (6 bits a channel): two entries
    // are then either one colour or visibly different, on the screen as in
    // the file, and a cycle never seems to stall between neighbours.
    void SetEntry(int index, Rgb color)
    {
        m_image.colorTable[static_cast<std::size_t>(index)] = {
            logo::DacLevel(Channel(color.blue)), logo::DacLevel(Channel(color.green)),
            logo::DacLevel(Channel(color.red)), 0};
    }

    // Entries first..last become an even ramp from one colour to another.
    void Ramp(int first, int last, Rgb from, Rgb to)
    {
        for (int i = first; i <= last; ++i)
            SetEntry(i, Mix(from, to, last == first ? 0.0 : double(i - first) / double(last - first)));
    }

    void Plot(int x, int y, int index)
    {
        if (x >= 0 && y >= 0 && x < kWidth && y < kHeight)
            m_image.pixels[static_cast<std::size_t>(y * kWidth + x)] = static_cast<std::uint8_t>(index);
    }

    int At(int x, int y) const { return m_image.pixels[static_cast<std::size_t>(y * kWidth + x)]; }

    void FillRows(int top, int bottom, int firstIndex, int lastIndex)
    {
        for (int y = top; y <= bottom; ++y) {
            const int index = firstIndex + (lastIndex - firstIndex) * (y - top) / std::max(1, bottom - top);
            for (int x = 0; x < kWidth; ++x)
                Plot(x, y, index);
        }
    }

    // Capitals in the 5 x 7 font, centred on a row, each font pixel scale x scale.
    void Text(std::string_view text, int top, int scaleX, int scaleY, int index)
    {
        const int advance = 6 * scaleX;
        const int width = static_cast<int>(text.size()) * advance - scaleX;
        int left = (kWidth - width) / 2;
        for (char letter : text) {
            const Glyph& glyph = GlyphFor(letter);
            for (int row = 0; row < 7; ++row)
                for (int column = 0; column < 5; ++column)
                    if (glyph[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] == '#')
                        for (int dy = 0; dy < scaleY; ++dy)
                            for (int dx = 0; dx < scaleX; ++dx)
                                Plot(left + column * scaleX + dx, top + row * scaleY + dy, index);
            left += advance;
        }
    }

    // The same text offset by one pixel underneath, for a soft shadow.
    void ShadowedText(std::string_view text, int top, int scaleX, int scaleY, int index, int shadowIndex)
    {
        Text(text, top + 1, scaleX, scaleY, shadowIndex);
        Text(text, top, scaleX, scaleY, index);
    }

    logo::LogoImage Take() { return std::move(m_image); }

private:
    logo::LogoImage m_image;
};

// Windows shows these pictures stretched to 640 x 480, so a pixel is 2 wide
// and 1.2 high: distances are measured in screen proportions.
double ScreenDistance(double dx, double dy)
{
    return std::sqrt((dx * 2.0) * (dx * 2.0) + (dy * 1.2) * (dy * 1.2));
}

void DrawStars(Canvas& canvas, int bottom, int index, unsigned seed)
{
    unsigned state = seed;
    for (int i = 0; i < 90; ++i) {
        state = state * 1103515245u + 12345u;
        const int x = static_cast<int>((state >> 8) % kWidth);
        state = state * 1103515245u + 12345u;
        const int y = static_cast<int>((state >> 8) % static_cast<unsigned>(bottom));
        canvas.Plot(x, y, index + static_cast<int>(i % 3));
    }
}

}  // namespace

SampleLogo DrawStartUpLogo()
{
    // Entries: 1-100 sky, 101-140 hills, 141-170 sun, 180-191 lettering,
    // 192-255 the cycling light (a bright pulse on warm orange).
    Canvas canvas;
    canvas.Ramp(1, 60, {18, 12, 64}, {128, 52, 128});
    canvas.Ramp(61, 100, {128, 52, 128}, {250, 150, 70});
    canvas.Ramp(101, 140, {70, 40, 80}, {14, 10, 24});
    canvas.Ramp(141, 170, {255, 250, 200}, {255, 170, 60});
    canvas.Ramp(180, 185, {255, 255, 255}, {255, 230, 190});
    canvas.Ramp(186, 191, {60, 30, 70}, {30, 16, 40});
    constexpr int kCycleFirst = 192;
    constexpr int kCycleLength = 64;
    for (int i = 0; i < kCycleLength; ++i) {
        const double wave = 0.5 + 0.5 * std::cos(2.0 * kPi * i / kCycleLength);
        canvas.SetEntry(kCycleFirst + i, Mix({236, 120, 60}, {255, 252, 220}, std::pow(wave, 6.0)));
    }

    constexpr int kHorizon = 270;
    const double sunX = 160;
    const double sunY = kHorizon - 6;
    const double sunRadius = 66;

    // Sky and sun down to the bar: the far hills dip below the horizon in
    // places, and what shows there must be sun, not the unpainted black.
    for (int y = 0; y < 384; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double d = ScreenDistance(x - sunX, y - sunY);
            if (d < sunRadius) {
                canvas.Plot(x, y, 141 + static_cast<int>(29.0 * d / sunRadius));
            } else if (d < sunRadius * 1.55) {
                // Corona: rings whose index falls with distance, so the light runs outwards.
                const int ring = static_cast<int>((d - sunRadius) / 1.4);
                canvas.Plot(x, y, 255 - ring % kCycleLength);
            } else {
                canvas.Plot(x, y, 1 + 99 * std::min(y, kHorizon) / kHorizon);
            }
        }
    }
    // Two layers of hills, the nearer one darker.
    for (int x = 0; x < kWidth; ++x) {
        const double far = kHorizon - 12 + 10 * std::sin(x / 23.0) + 6 * std::sin(x / 9.0 + 1.0);
        const double nearLine = kHorizon + 18 + 14 * std::sin(x / 41.0 + 2.0) + 5 * std::sin(x / 13.0);
        for (int y = static_cast<int>(far); y < 384; ++y) {
            const int depth = y < nearLine ? (y - static_cast<int>(far)) / 4 : 20 + (y - static_cast<int>(nearLine)) / 5;
            canvas.Plot(x, y, 101 + std::clamp(depth, 0, 39));
        }
    }
    canvas.ShadowedText("LUMIVANE", 48, 4, 5, 180, 186);
    canvas.Text("WINDOWS IS STARTING", 96, 1, 2, 184);
    // The bar: one full cycle across the width, the pulse runs left to right.
    for (int y = 384; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            canvas.Plot(x, y, 255 - (x / 5) % kCycleLength);
    return {canvas.Take(), static_cast<std::uint8_t>(kCycleLength)};
}

namespace {

SampleLogo DrawClosingScreen(Rgb skyTop, Rgb skyBottom, Rgb ink, Rgb shadow, std::string_view line1,
                             std::string_view line2, bool moon, unsigned starSeed)
{
    Canvas canvas;
    canvas.Ramp(1, 120, skyTop, skyBottom);
    canvas.SetEntry(121, ink);
    canvas.SetEntry(122, shadow);
    canvas.Ramp(123, 125, {200, 200, 220}, {255, 255, 255});
    canvas.Ramp(126, 140, {250, 246, 220}, {190, 186, 170});
    canvas.FillRows(0, kHeight - 1, 1, 120);
    DrawStars(canvas, 230, 123, starSeed);
    if (moon) {
        for (int y = 60; y < 160; ++y)
            for (int x = 200; x < 290; ++x) {
                const double d = ScreenDistance(x - 244, y - 105);
                const double bite = ScreenDistance(x - 256, y - 96);
                if (d < 40 && bite > 34)
                    canvas.Plot(x, y, 126 + static_cast<int>(14 * d / 40));
            }
    }
    canvas.ShadowedText(line1, 250, 2, 3, 121, 122);
    canvas.ShadowedText(line2, 280, 2, 3, 121, 122);
    return {canvas.Take(), 0};
}

}  // namespace

SampleLogo DrawPreShutDownScreen()
{
    return DrawClosingScreen({12, 18, 60}, {150, 80, 110}, {255, 236, 200}, {40, 20, 40}, "PLEASE WAIT WHILE",
                             "YOUR COMPUTER SHUTS DOWN", true, 7);
}

SampleLogo DrawShutDownScreen()
{
    return DrawClosingScreen({0, 0, 0}, {16, 24, 70}, {255, 160, 40}, {60, 30, 0}, "IT IS NOW SAFE TO",
                             "TURN OFF YOUR COMPUTER", false, 29);
}

SampleLogo DrawDefaultPreShutDownScreen()
{
    return DrawClosingScreen({0, 0, 0}, {0, 0, 40}, {90, 160, 255}, {0, 0, 60}, "PLEASE WAIT WHILE",
                             "YOUR COMPUTER SHUTS DOWN", false, 3);
}

SampleLogo DrawDefaultShutDownScreen()
{
    return DrawClosingScreen({0, 0, 0}, {0, 0, 0}, {255, 128, 0}, {40, 20, 0}, "IT IS NOW SAFE TO",
                             "TURN OFF YOUR COMPUTER", false, 11);
}

SampleLogo DrawNewLogoTemplate()
{
    Canvas canvas;
    canvas.SetEntry(0, {255, 255, 255});
    canvas.SetEntry(1, {228, 228, 236});
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            canvas.Plot(x, y, (x % 20 == 0 || y % 20 == 0) ? 1 : 0);
    return {canvas.Take(), 0};
}

}  // namespace host
