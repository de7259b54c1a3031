#pragma once
// Palette editing operations. Operations that touch pixels require a logo
// (320 x 400 x 8) and return false, changing nothing, for any other picture.

#include "logo/PaletteState.h"

#include <cstdint>

namespace logo {

// Colour value: red in bits 0-7, green in 8-15, blue in 16-23.
using ColorValue = std::uint32_t;

constexpr ColorValue MakeColorValue(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return static_cast<ColorValue>(red) | (static_cast<ColorValue>(green) << 8) | (static_cast<ColorValue>(blue) << 16);
}

// Copy entries 0-255 between the picture and the working table. Need an
// 8-bit picture with a full table; false (nothing copied) otherwise.
bool LoadColorTable(PaletteState& state);
bool StoreColorTable(PaletteState& state);

void SetCurrentColor(PaletteState& state, ColorValue value, PaletteView& view = NoView());
bool FindColor(PaletteState& state, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
void PlaceColor(PaletteState& state, std::uint8_t index, PaletteView& view = NoView());
bool SwapEntries(PaletteState& state, std::uint8_t a, std::uint8_t b, PaletteView& view = NoView());
bool RemoveUnusedColors(PaletteState& state, PaletteView& view = NoView());

enum class BarOutcome {
    NotALogo,           // the picture is not 320 x 400 x 8: nothing changed
    NotEnoughSpace,     // fewer than 21 entries free after compaction
    Done,
};
BarOutcome MakeAnimatedBar(PaletteState& state, PaletteView& view = NoView());

bool ReverseSequence(PaletteState& state, PaletteView& view = NoView());

void AddClamped(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue, int amount);

// Swatch index under a point of the editor's client area.
std::uint8_t EntryAt(int x, int y);

}  // namespace logo
