#pragma once
// A top-level window over the whole screen (no frame, above the task bar),
// and back to the size and place it had.

#include "platform/WinTypes.h"

namespace platform {

class CWnd;

// FALSE when the window does not exist or is not a top-level window.
BOOL SetFullScreen(CWnd& window, BOOL fullScreen);
BOOL IsFullScreen(const CWnd& window);
// The work area (the screen less its panels) of the screen the window is
// on, in screen coordinates; FALSE when the window does not exist.
BOOL GetWorkArea(const CWnd& window, RECT* area);

}  // namespace platform
