#pragma once
// Passes over a logo's 128000 pixel bytes that the palette operations share.

#include <array>
#include <cstddef>
#include <cstdint>

namespace logo {

using Translation = std::array<std::uint8_t, 256>;

// Every pixel value v becomes to[v].
void TranslatePixels(std::uint8_t* pixels, std::size_t count, const Translation& to);

// Which of the 256 values occur among the pixels.
std::array<bool, 256> UsedValues(const std::uint8_t* pixels, std::size_t count);

// The plain versions the two above fall back to on processors without byte
// permutes; exposed so they are tested on every machine.
void TranslatePixelsPortable(std::uint8_t* pixels, std::size_t count, const Translation& to);
std::array<bool, 256> UsedValuesPortable(const std::uint8_t* pixels, std::size_t count);

}  // namespace logo
