#pragma once
// A RECT with the conveniences the dialogs use. right and bottom are
// exclusive, as everywhere in Windows.

#include "platform/WinTypes.h"
#include "platform/ui/CPoint.h"

namespace platform {

class CRect : public RECT {
public:
    constexpr CRect() : RECT{0, 0, 0, 0} {}
    constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    constexpr CRect(const RECT& r) : RECT{r} {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CPoint TopLeft() const { return CPoint(left, top); }
    constexpr CPoint BottomRight() const { return CPoint(right, bottom); }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool PtInRect(const POINT& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    constexpr void DeflateRect(int dx, int dy) { left += dx; right -= dx; top += dy; bottom -= dy; }
    constexpr void InflateRect(int dx, int dy) { DeflateRect(-dx, -dy); }
    friend constexpr bool operator==(const CRect& a, const CRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

}  // namespace platform
