#pragma once
// A true-colour picture as the exporters and the screen views take it:
// three bytes a pixel (red, green, blue), top-down rows, no padding.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace logo {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3 bytes

    const std::uint8_t* PixelAt(int x, int y) const
    {
        return rgb.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
    }
};

}  // namespace logo
