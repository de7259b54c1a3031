#pragma once
// Turning text art into pictures: each character of a row is one pixel, and
// a small key says which colour each character stands for.

#include "logo/Picture.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace res::art {

struct PaletteKey {
    char symbol;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// An indexed picture of the given depth (4 or 8 bits): the key's colours take
// the first entries of the colour table in key order, the rest stay black.
// Throws std::invalid_argument for ragged rows, unknown characters or a key
// larger than the table.
logo::Picture RenderPixelArt(std::span<const std::string_view> rows, std::span<const PaletteKey> key,
                             std::uint16_t bitsPerPixel);

// A blank indexed picture with a table of 2^bits black entries.
logo::Picture MakeIndexedPicture(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel);

}  // namespace res::art
