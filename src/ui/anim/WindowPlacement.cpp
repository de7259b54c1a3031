#include "ui/anim/WindowPlacement.h"

#include "platform/ui/MouseCapture.h"

#include <algorithm>

std::optional<RECT> VisibleScreenArea()
{
    // With the cursor free the system reports the clip rectangle as the
    // whole virtual screen.
    if (platform::CursorClip().has_value())
        return std::nullopt;
    RECT area{};
    if (!platform::GetClipCursor(&area) || area.right <= area.left || area.bottom <= area.top)
        return std::nullopt;
    return area;
}

POINT ClampWindowPosition(POINT wanted, int width, int height, const RECT& area)
{
    const LONG maxLeft = std::max<LONG>(area.left, area.right - std::max(width, 0));
    const LONG maxTop = std::max<LONG>(area.top, area.bottom - std::max(height, 0));
    return POINT{std::clamp<LONG>(wanted.x, area.left, maxLeft), std::clamp<LONG>(wanted.y, area.top, maxTop)};
}
