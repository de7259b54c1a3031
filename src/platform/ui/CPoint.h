#pragma once
// A POINT with the conveniences the dialogs use.

#include "platform/WinTypes.h"

namespace platform {

class CPoint : public POINT {
public:
    constexpr CPoint() : POINT{0, 0} {}
    constexpr CPoint(int px, int py) : POINT{px, py} {}
    constexpr CPoint(const POINT& p) : POINT{p} {}

    constexpr void Offset(int dx, int dy) { x += dx; y += dy; }
    friend constexpr bool operator==(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y == b.y; }
};

}  // namespace platform
