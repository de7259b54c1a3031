#pragma once
// What the drawings produce for icons and cursors, before the resource
// compiler encodes them as .ico and .cur files.

#include "logo/Picture.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace res::art {

struct IconImage {
    logo::Picture picture;   // indexed, 4 or 8 bits
    std::vector<bool> mask;  // one flag per pixel, top-down; true = transparent
};

// A monochrome cursor from text art: '.' transparent, '#' black, 'w' white.
struct CursorArt {
    std::span<const std::string_view> rows;
    std::uint16_t hotX;
    std::uint16_t hotY;
};

}  // namespace res::art
