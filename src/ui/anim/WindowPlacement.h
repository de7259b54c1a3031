#pragma once
// Where a restored window may go: stored positions come from an earlier
// session, perhaps on another screen layout or scale, and a window placed
// off the screen or under its panels cannot be reached (the editor is modal
// and the main dialog is minimised while it runs).

#include "platform/WinTypes.h"

namespace platform {
class CWnd;
}

struct FrameSize {
    int width;
    int height;
};

// The window's size with its frame; a frame the window system has not
// added yet is counted at its usual size.
FrameSize FrameSizeOf(const platform::CWnd& window);

// The top-left corner that keeps a window of the given frame size inside
// area (a screen's work area), as close to wanted as possible. A window larger than the area keeps
// its top-left corner (caption and system menu) inside.
POINT ClampWindowPosition(POINT wanted, int width, int height, const RECT& area);
