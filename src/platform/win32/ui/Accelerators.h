#pragma once
// The system accelerator table of a top-level window, for the loops that
// translate keys before the dialog manager sees them.

#include "platform/WinTypes.h"

namespace platform::win32 {

// nullptr when the window has none.
HACCEL AcceleratorTableOf(HWND topLevel);

}  // namespace platform::win32
