#pragma once
// The 16 colours every Windows display has, in the system's order; 4-bit
// resources use this table so they look the same on any display.

#include "logo/Picture.h"

#include <array>

namespace res::art {

inline constexpr std::array<logo::RgbQuad, 16> kVgaPalette = {
    logo::RgbQuad{0, 0, 0, 0},       logo::RgbQuad{0, 0, 128, 0},     // black, maroon
    logo::RgbQuad{0, 128, 0, 0},     logo::RgbQuad{0, 128, 128, 0},   // green, olive
    logo::RgbQuad{128, 0, 0, 0},     logo::RgbQuad{128, 0, 128, 0},   // navy, purple
    logo::RgbQuad{128, 128, 0, 0},   logo::RgbQuad{192, 192, 192, 0}, // teal, silver
    logo::RgbQuad{128, 128, 128, 0}, logo::RgbQuad{0, 0, 255, 0},     // grey, red
    logo::RgbQuad{0, 255, 0, 0},     logo::RgbQuad{0, 255, 255, 0},   // lime, yellow
    logo::RgbQuad{255, 0, 0, 0},     logo::RgbQuad{255, 0, 255, 0},   // blue, fuchsia
    logo::RgbQuad{255, 255, 0, 0},   logo::RgbQuad{255, 255, 255, 0}, // aqua, white
};

enum VgaIndex : std::uint8_t {
    kVgaBlack = 0,
    kVgaMaroon = 1,
    kVgaRed = 9,
    kVgaWhite = 15,
};

}  // namespace res::art
