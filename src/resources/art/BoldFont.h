#pragma once
// A bold bitmap font with just the letters the placeholder needs. Glyphs
// are 10 cells high (capitals and ascenders; lower case 7), strokes 2 cells.

#include <span>
#include <string_view>

namespace res::art {

constexpr int kGlyphHeight = 10;

// The glyph's rows ('#' ink, '.' paper), all kGlyphHeight of them; empty for
// a letter the font does not have.
std::span<const std::string_view> BoldGlyph(char letter);

}  // namespace res::art
