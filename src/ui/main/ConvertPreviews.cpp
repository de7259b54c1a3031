#include "ui/main/ConvertPreviews.h"

#include "convert/AlphaFlatten.h"
#include "convert/LinearResample.h"
#include "logo/BootScreen.h"

#include <algorithm>
#include <cmath>

namespace {

// Four bytes a pixel in the order the picture model keeps direct colour.
std::unique_ptr<logo::Picture> DirectColour(const logo::RgbaImage& rgba)
{
    auto picture = std::make_unique<logo::Picture>();
    picture->width = rgba.width;
    picture->height = rgba.height;
    picture->bitsPerPixel = 32;
    picture->pixels.resize(rgba.rgba.size());
    for (std::size_t at = 0; at + 3 < rgba.rgba.size(); at += 4) {
        picture->pixels[at] = rgba.rgba[at + 2];
        picture->pixels[at + 1] = rgba.rgba[at + 1];
        picture->pixels[at + 2] = rgba.rgba[at];
        picture->pixels[at + 3] = 0;
    }
    return picture;
}

logo::RgbaImage Reduced(const logo::RgbaImage& image, int width, int height)
{
    logo::RgbaImage out;
    const convert::SourceRegion whole{0, 0, static_cast<double>(image.width), static_cast<double>(image.height)};
    if (!convert::ResampleRegion(image, whole, width, height, out))
        return {};
    return out;
}

}  // namespace

std::unique_ptr<logo::Picture> ScreenView(const logo::LogoImage& logo)
{
    logo::ColorTable table{};
    std::copy_n(logo.colorTable.begin(), std::min(logo.colorTable.size(), table.size()), table.begin());
    const logo::RgbImage screen = logo::RenderBootScreen(logo, table, true);
    logo::RgbaImage rgba;
    rgba.width = screen.width;
    rgba.height = screen.height;
    rgba.rgba.reserve(screen.rgb.size() / 3 * 4);
    for (std::size_t at = 0; at + 2 < screen.rgb.size(); at += 3)
        rgba.rgba.insert(rgba.rgba.end(), {screen.rgb[at], screen.rgb[at + 1], screen.rgb[at + 2], 255});
    return DirectColour(Reduced(rgba, kConvertViewWidth, kConvertViewHeight));
}

std::unique_ptr<logo::Picture> SourceView(const logo::RgbaImage& source, convert::Rgb fill)
{
    const double scale = std::min(static_cast<double>(kConvertViewWidth) / source.width,
                                  static_cast<double>(kConvertViewHeight) / source.height);
    const int width = std::clamp(static_cast<int>(std::lround(source.width * scale)), 1, kConvertViewWidth);
    const int height = std::clamp(static_cast<int>(std::lround(source.height * scale)), 1, kConvertViewHeight);
    logo::RgbaImage view = Reduced(source, width, height);
    convert::FlattenOnto(view, fill);
    return DirectColour(view);
}
