#include "platform/ui/MouseCapture.h"

#include <algorithm>

namespace platform {
namespace {

// The confinement this program asked for. The system's own rectangle is the
// whole screen when there is none, so it cannot tell "free" from "confined to
// the screen"; this record can.
std::optional<RECT>& Confinement()
{
    static std::optional<RECT> clip;
    return clip;
}

}  // namespace

HWND SetCapture(HWND window)
{
    if (window != nullptr && !::IsWindow(window))
        return ::GetCapture();
    if (window == nullptr) {
        const HWND previous = ::GetCapture();
        ::ReleaseCapture();
        return previous;
    }
    return ::SetCapture(window);
}

BOOL ReleaseCapture()
{
    return ::ReleaseCapture();
}

HWND GetCapture()
{
    return ::GetCapture();
}

BOOL ClipCursor(const RECT* screenRect)
{
    if (screenRect == nullptr) {
        Confinement().reset();
        return ::ClipCursor(nullptr);
    }
    Confinement() = *screenRect;
    return ::ClipCursor(screenRect);
}

BOOL GetClipCursor(RECT* rect)
{
    if (rect == nullptr)
        return FALSE;
    return ::GetClipCursor(rect);
}

std::optional<RECT> CursorClip()
{
    return Confinement();
}

POINT ClampToRect(POINT point, const RECT& rect)
{
    const LONG right = std::max(rect.left, rect.right - 1);
    const LONG bottom = std::max(rect.top, rect.bottom - 1);
    return POINT{std::clamp(point.x, rect.left, right), std::clamp(point.y, rect.top, bottom)};
}

}  // namespace platform
