#pragma once
// A device context over a pixel buffer. Drawing follows the Windows rules
// the dialogs rely on:
//  - Rectangle(l, t, r, b) covers l..r-1 x t..b-1 with a one-pixel pen; the
//    outline runs along that border and the brush fills the inside.
//  - With the null pen the fill leaves out the right column and the bottom
//    row too: (3, 3)-(13, 13) fills x 3..11, y 3..11 (9 x 9 pixels).
//  - A solid pen w pixels wide is centred on the outline path (the path
//    runs through l, t, r-1, b-1): each side covers path - w/2 up to
//    path - w/2 + w - 1, so a 2-pixel frame of (3, 3)-(13, 13) covers
//    x 2..12; the brush fills what lies inside the pen. Outer corners are
//    rounded as Windows' round joins round them (visible from w = 4).
// GetPixel reads what the window shows, which for a window's DC includes
// picture controls lying over its client area.

#include "platform/WinTypes.h"
#include "platform/ui/CBrush.h"
#include "platform/ui/CPen.h"

#include <functional>

namespace platform {

class PixelBuffer;

class CDC {
public:
    using PixelReader = std::function<COLORREF(int x, int y)>;

    // A context with no surface: drawing does nothing, GetPixel gives CLR_INVALID.
    CDC();
    explicit CDC(PixelBuffer* target, PixelReader reader = {});
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Each returns the object selected before, or nullptr (selecting nothing)
    // for an object that was never created.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);

    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT* rect);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FillSolidRect(const RECT* rect, COLORREF color);
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const;
    // Returns the colour set, or CLR_INVALID outside the surface.
    COLORREF SetPixel(int x, int y, COLORREF color);

    bool HasSurface() const { return m_target != nullptr; }

protected:
    void Attach(PixelBuffer* target, PixelReader reader);

private:
    void DrawPenBand(int left, int top, int right, int bottom);
    void DrawCornerBlock(int left, int top, int right, int bottom, double cx, double cy, double radius);

    PixelBuffer* m_target = nullptr;
    PixelReader m_reader;
    CPen* m_pen;
    CBrush* m_brush;
    // Copies of what is selected, so a pen or brush destroyed while
    // selected never leaves the context reading freed memory.
    CPen m_penValue;
    CBrush m_brushValue;
};

}  // namespace platform
