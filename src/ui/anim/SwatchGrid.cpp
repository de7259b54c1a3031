#include "ui/anim/SwatchGrid.h"

#include "platform/ui/CBrush.h"
#include "platform/ui/CDC.h"
#include "platform/ui/CPen.h"
#include "platform/ui/UiConstants.h"

RECT SwatchRect(int index)
{
    const int left = kSwatchOrigin + (index % kSwatchesPerRow) * kSwatchPitch;
    const int top = kSwatchOrigin + (index / kSwatchesPerRow) * kSwatchPitch;
    return RECT{left, top, left + kSwatchPitch, top + kSwatchPitch};
}

void PaintSwatchGrid(platform::CDC& dc, const logo::ColorTable& table, int highlight)
{
    platform::CPen highlightPen(PS_SOLID, kHighlightPenWidth, kHighlightColor);
    platform::CGdiObject* oldPen = dc.SelectStockObject(NULL_PEN);
    platform::CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    auto* nullPen = static_cast<platform::CPen*>(platform::GetStockObject(NULL_PEN));
    for (int i = 0; i < 256; ++i) {
        const logo::RgbQuad& entry = table[static_cast<std::size_t>(i)];
        platform::CBrush brush(RGB(entry.red, entry.green, entry.blue));
        dc.SelectObject(&brush);
        dc.SelectObject(i == highlight ? &highlightPen : nullPen);
        const RECT rect = SwatchRect(i);
        dc.Rectangle(&rect);
        // The brush dies with this iteration: select something lasting first.
        dc.SelectStockObject(NULL_BRUSH);
    }
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

void PaintColorBox(platform::CDC& dc, const RECT& rect, COLORREF color)
{
    platform::CBrush brush(color);
    platform::CGdiObject* oldPen = dc.SelectStockObject(NULL_PEN);
    platform::CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Rectangle(&rect);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}
