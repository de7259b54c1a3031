#pragma once
// Where the editor's swatches stand in its client area: the 256 entries of
// the colour table, 32 to a row in 8 rows at a 10-pixel pitch, the first at
// (3, 3). The hit test and the painter both read it from here.

namespace logo {

constexpr int kSwatchOrigin = 3;
constexpr int kSwatchPitch = 10;
constexpr int kSwatchesPerRow = 32;
constexpr int kSwatchRows = 8;

}  // namespace logo
