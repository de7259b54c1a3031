#pragma once
// A 5 x 7 capital-letter font for the words on the sample screens.

#include <array>
#include <string_view>

namespace host {

using Glyph = std::array<std::string_view, 7>;  // '#' = ink

// The glyph for a capital letter, digit-free; blank for anything else.
const Glyph& GlyphFor(char letter);

}  // namespace host
