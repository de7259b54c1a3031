#pragma once
// Source pictures with known edges for the conversion tests.

#include "logo/RgbaImage.h"

#include <cstdint>
#include <functional>

namespace testing_support {

struct Rgba {
    std::uint8_t r, g, b, a;
};

inline logo::RgbaImage MakeRgba(int width, int height, const std::function<Rgba(int x, int y)>& colourAt)
{
    logo::RgbaImage image;
    image.width = width;
    image.height = height;
    image.rgba.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba c = colourAt(x, y);
            image.rgba.insert(image.rgba.end(), {c.r, c.g, c.b, c.a});
        }
    }
    return image;
}

inline logo::RgbaImage MakeSolid(int width, int height, Rgba colour)
{
    return MakeRgba(width, height, [colour](int, int) { return colour; });
}

// Smooth colours in every direction with some fine detail: far more than
// 256 colours, as a photograph has.
inline logo::RgbaImage MakePhotoLike(int width, int height)
{
    return MakeRgba(width, height, [width, height](int x, int y) {
        const auto r = static_cast<std::uint8_t>(255 * x / width);
        const auto g = static_cast<std::uint8_t>(255 * y / height);
        const auto b = static_cast<std::uint8_t>((x * 7 + y * 13) % 256);
        return Rgba{r, g, b, 255};
    });
}

}  // namespace testing_support
