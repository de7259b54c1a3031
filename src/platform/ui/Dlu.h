#pragma once
// Dialog units to pixels. The base units are fixed at 6 x 13 (the classic
// 8-point dialog font), so every template has the same pixel geometry on
// every display: x px = MulDiv(dlu, 6, 4), y px = MulDiv(dlu, 13, 8).

#include "platform/WinTypes.h"

namespace platform {

constexpr int kDialogBaseUnitX = 6;
constexpr int kDialogBaseUnitY = 13;

// a * b / c rounded half away from zero, computed in 64 bits; -1 when c is
// 0 or the result does not fit in an int (as Windows answers).
int MulDiv(int a, int b, int c);

int DluToPixelsX(int dlu);
int DluToPixelsY(int dlu);

// A template rectangle (x, y, cx, cy in dialog units) in pixels. Each of
// the four values is converted on its own, as the dialog manager does.
RECT DluRectToPixels(int x, int y, int cx, int cy);

}  // namespace platform
