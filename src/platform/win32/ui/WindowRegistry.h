#pragma once
// Which framework object stands for which window handle, and the wrappers
// made on demand for windows no object was attached to.

#include "platform/WinTypes.h"

namespace platform {
class CWnd;
}

namespace platform::win32 {

void RegisterWindow(HWND hwnd, CWnd* window);
// Forgets hwnd only while it still maps to window.
void UnregisterWindow(HWND hwnd, CWnd* window);
CWnd* LookupWindow(HWND hwnd);
// The registered object, or a temporary wrapper whose class follows the
// window class (a button gets a CButton, an edit a CEdit, ...).
CWnd* WrapWindow(HWND hwnd);
// A dialog window is going away: its children's objects let go of their
// handles and their temporary wrappers are dropped.
void ReleaseChildren(HWND parent);
// The framework is ending: every temporary wrapper goes, whatever its window.
void DropTemporaryWrappers();

// The top-level window a window belongs to (itself for a top-level one).
HWND TopLevelOf(HWND hwnd);

}  // namespace platform::win32
