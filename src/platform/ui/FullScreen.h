#pragma once
// A top-level window over the whole screen (no frame, above the task bar),
// and back to the size and place it had; the room the screens leave for
// windows.

#include "platform/WinTypes.h"

namespace platform {

class CWnd;

// FALSE when the window does not exist or is not a top-level window.
BOOL SetFullScreen(CWnd& window, BOOL fullScreen);
BOOL IsFullScreen(const CWnd& window);
// The work area (the screen less its panels) of the screen the window is
// on, in screen coordinates; FALSE when the window does not exist.
BOOL GetWorkArea(const CWnd& window, RECT* area);
// The work area of the screen at a point, or of the screen nearest to it;
// FALSE when there is no screen.
BOOL GetWorkAreaAt(POINT point, RECT* area);

// A frame's borders and title bar, counted for a window that has none yet
// (the window system adds it once the window shows).
constexpr int kUsualFrameWidth = 16;
constexpr int kUsualFrameHeight = 48;

}  // namespace platform
