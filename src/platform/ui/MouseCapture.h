#pragma once
// Mouse capture and cursor confinement. Both are always recorded, so tests
// see them on any display. Capture grabs the mouse for the window where the
// display allows it. Confinement is emulated: on a display whose pointer the
// program may move, every mouse move that leaves the rectangle puts the
// pointer back inside; offscreen and on Wayland it is only recorded.
// Every prompt releases both before it opens (Prompts.h).

#include "platform/WinTypes.h"

#include <optional>

namespace platform {

// Returns the window that had the capture before, or nullptr. A window that
// has been destroyed loses the capture by itself.
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();

// Screen rectangle, right and bottom exclusive; nullptr ends the confinement.
// FALSE, and no confinement, where the system refuses it (Win32).
BOOL ClipCursor(const RECT* screenRect);
// The confinement, or the whole virtual screen when there is none (as the
// system reports it). FALSE only for a null argument.
BOOL GetClipCursor(RECT* rect);
// The confinement alone: nullopt when the cursor is free, also after the
// system freed it by itself (Win32: another program came to the foreground).
std::optional<RECT> CursorClip();

// The point moved into the rectangle (right and bottom exclusive); an empty
// rectangle holds only its top-left corner.
POINT ClampToRect(POINT point, const RECT& rect);

}  // namespace platform
