#pragma once
// Writing .ico and .cur files: a directory of images, each a DIB whose
// height counts twice (colour bits, then the 1-bit transparency mask).

#include "logo/Picture.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace res::rc {

struct IconImage {
    logo::Picture picture;   // indexed, 4 or 8 bits
    std::vector<bool> mask;  // one flag per pixel, top-down; true = transparent
};

std::vector<std::uint8_t> EncodeIcon(std::span<const IconImage> images);

// A monochrome cursor from text art: '.' transparent, '#' black, 'w' white.
struct CursorArt {
    std::span<const std::string_view> rows;
    std::uint16_t hotX;
    std::uint16_t hotY;
};

// Throws std::invalid_argument for art that is not 32 x 32 or uses other
// characters, or a hot spot outside the picture.
std::vector<std::uint8_t> EncodeCursor(const CursorArt& art);

}  // namespace res::rc
