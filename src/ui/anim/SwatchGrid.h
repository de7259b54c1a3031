#pragma once
// The editor's swatch grid: the 256 entries of the working colour table,
// placed as logo/SwatchGeometry.h says. Each swatch is drawn as the rectangle
// (x, y)-(x + 10, y + 10) without a pen, which the platform fills as 9 x 9
// pixels, so the swatches stand one pixel apart; the highlighted one gets a
// 2-pixel pure green outline instead.

#include "logo/Picture.h"
#include "logo/SwatchGeometry.h"
#include "platform/WinTypes.h"

namespace platform {
class CDC;
}

using logo::kSwatchesPerRow;
using logo::kSwatchOrigin;
using logo::kSwatchPitch;
using logo::kSwatchRows;
constexpr COLORREF kHighlightColor = RGB(0, 255, 0);
constexpr int kHighlightPenWidth = 2;

// The rectangle drawn for entry index (0 to 255), client coordinates.
RECT SwatchRect(int index);

// Draws the grid; highlight is the framed entry or -1. The device context's
// pen and brush are as before when it returns.
void PaintSwatchGrid(platform::CDC& dc, const logo::ColorTable& table, int highlight);

// Fills a rectangle with a colour and no outline (the current-colour box).
void PaintColorBox(platform::CDC& dc, const RECT& rect, COLORREF color);
