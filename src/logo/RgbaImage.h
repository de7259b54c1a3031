#pragma once
// A decoded picture of any format before it becomes a logo: four bytes a
// pixel (red, green, blue, alpha; sRGB, alpha not premultiplied), top-down
// rows, no padding.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace logo {

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // width * height * 4 bytes

    // True when the buffer holds exactly the pixels the size names.
    bool IsWellFormed() const
    {
        return width > 0 && height > 0
            && rgba.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    }
};

}  // namespace logo
