#pragma once
// The pictures the conversion benchmark judges, made at run time: a
// photograph's texture, gradients, flat art and text; a 24-megapixel JPEG;
// and the screen's view of a logo.

#include "logo/Picture.h"
#include "logo/RgbaImage.h"

#include <optional>
#include <string>

namespace bench_convert {

logo::RgbaImage MakeGradients(int width, int height);
logo::RgbaImage MakeFlatArt(int width, int height);
logo::RgbaImage MakeText(int width, int height);
// A seeded plasma fractal by ImageMagick, softened like a photograph;
// nothing when ImageMagick is missing.
std::optional<logo::RgbaImage> MakePhotoTexture(int width, int height, const std::string& folder);

bool SavePicture(const logo::RgbaImage& image, const std::string& path, const char* format, int quality = -1);

// What the boot screen shows of 320 x 400 pixels: six bits a channel through
// the DAC, each logo pixel lit over its 2 x 1.2 share of a 640 x 480 screen.
logo::RgbaImage ShownOnScreen(const logo::RgbaImage& logoPixels);
logo::RgbaImage LogoPixels(const logo::LogoImage& image);

// The source as the screen would ideally show it: 640 x 480, full colour,
// each screen pixel the light of its part of the source.
logo::RgbaImage IdealScreen(const logo::RgbaImage& source);

}  // namespace bench_convert
