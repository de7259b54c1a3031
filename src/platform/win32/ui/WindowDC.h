#pragma once
// Device contexts over real windows. The framework's CDC draws into a pixel
// buffer with the exact rules the dialogs rely on; these put that buffer on
// the window with GDI.
//
//  - PaintWindow is the WM_PAINT handling: between BeginPaint and EndPaint
//    it fills a client-sized buffer with the dialog face colour, runs the
//    window's owner drawing (every CPaintDC made for the window meanwhile
//    draws into that buffer) and copies the result onto the window.
//  - AcquireWindowDC is CWnd::GetDC: a context whose buffer starts as what
//    the window shows (child controls included) and goes back onto the
//    window on ReleaseWindowDC.

#include "platform/WinTypes.h"

#include <functional>

namespace platform {
class CDC;
class PixelBuffer;
}  // namespace platform

namespace platform::win32 {

// Returns false when the window is gone (nothing was painted).
bool PaintWindow(HWND window, const std::function<void()>& drawing);

// The buffer of the paint running for the window, or nullptr outside one.
PixelBuffer* CurrentPaintBuffer(HWND window);

// nullptr for a window that does not exist. The context stays valid until
// ReleaseWindowDC.
CDC* AcquireWindowDC(HWND window);
// Puts the context's drawing on its window and frees it. Returns 1 when the
// context came from AcquireWindowDC, else 0 (and touches nothing).
int ReleaseWindowDC(CDC* dc);

}  // namespace platform::win32
