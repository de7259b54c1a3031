#include "platform/ui/CPaintDC.h"

#include "platform/ui/CWnd.h"
#include "platform/win32/ui/WindowDC.h"

namespace platform {

// Draws into the buffer of the window's running paint (PaintWindow), which
// goes on screen when the paint ends. Outside a paint there is nothing to
// draw into: the context has no surface.
CPaintDC::CPaintDC(CWnd* window)
{
    const HWND hwnd = window != nullptr ? window->GetSafeHwnd() : nullptr;
    if (PixelBuffer* buffer = win32::CurrentPaintBuffer(hwnd))
        Attach(buffer, {});
}

}  // namespace platform
