#pragma once
// The window side of the program's cursor (Cursors.h): a window's
// WM_SETCURSOR handling asks here first, so the cursor the program set
// stays on screen over every window of it.

namespace platform::win32 {

// Shows the program's cursor in effect (the wait cursor while one runs) and
// returns true; false when the program has none, or while a prompt is open,
// so the window goes on to its usual cursor.
bool ApplyProgramCursor();

}  // namespace platform::win32
