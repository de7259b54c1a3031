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

// Whether the system keeps the cursor inside rect: its clip is the part of
// rect on the screen, and the whole screen once it has freed the cursor.
bool SystemConfinesTo(const RECT& rect)
{
    RECT system{};
    return ::GetClipCursor(&system) && system.left >= rect.left && system.top >= rect.top &&
           system.right <= rect.right && system.bottom <= rect.bottom;
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
    // The system may refuse (Wine's X11 driver does without XInput2, and
    // frees the cursor instead), and the record never claims what it refused.
    if (!::ClipCursor(screenRect) || !SystemConfinesTo(*screenRect)) {
        Confinement().reset();
        return FALSE;
    }
    Confinement() = *screenRect;
    return TRUE;
}

BOOL GetClipCursor(RECT* rect)
{
    if (rect == nullptr)
        return FALSE;
    return ::GetClipCursor(rect);
}

std::optional<RECT> CursorClip()
{
    // The system frees a confined cursor by itself too (another program
    // comes to the foreground): then the confinement is over here as well.
    if (Confinement().has_value() && !SystemConfinesTo(*Confinement()))
        Confinement().reset();
    return Confinement();
}

POINT ClampToRect(POINT point, const RECT& rect)
{
    const LONG right = std::max(rect.left, rect.right - 1);
    const LONG bottom = std::max(rect.top, rect.bottom - 1);
    return POINT{std::clamp(point.x, rect.left, right), std::clamp(point.y, rect.top, bottom)};
}

}  // namespace platform
