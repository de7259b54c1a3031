#include "convert/AlphaFlatten.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace convert {

namespace {

double ToLinear(double value)
{
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

std::uint8_t ToSrgbByte(double linear)
{
    const double value = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(std::fmin(std::fmax(value, 0.0), 1.0) * 255.0));
}

const std::array<double, 256>& LinearTable()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values{};
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = ToLinear(static_cast<double>(i) / 255.0);
        return values;
    }();
    return table;
}

}  // namespace

void FlattenOnto(logo::RgbaImage& image, Rgb background)
{
    const auto& linear = LinearTable();
    const std::array<double, 3> under{linear[background.red], linear[background.green], linear[background.blue]};
    for (std::size_t at = 0; at + 3 < image.rgba.size(); at += 4) {
        std::uint8_t* pixel = image.rgba.data() + at;
        const std::uint8_t alpha = pixel[3];
        if (alpha == 255)
            continue;
        const double cover = alpha / 255.0;
        for (std::size_t c = 0; c < 3; ++c)
            pixel[c] = ToSrgbByte(linear[pixel[c]] * cover + under[c] * (1.0 - cover));
        pixel[3] = 255;
    }
}

}  // namespace convert
