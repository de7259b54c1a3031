#pragma once
// Where a restored window may go: stored positions come from an earlier
// session, perhaps on another screen layout, and a window placed off every
// screen cannot be reached (the editor is modal and the main dialog is
// minimised while it runs).

#include "platform/WinTypes.h"

#include <optional>

// The area of all screens, in screen coordinates; nullopt when unknown.
std::optional<RECT> VisibleScreenArea();

// The top-left corner that keeps a window of the given frame size inside
// area, as close to wanted as possible. A window larger than the area keeps
// its top-left corner (caption and system menu) inside.
POINT ClampWindowPosition(POINT wanted, int width, int height, const RECT& area);
