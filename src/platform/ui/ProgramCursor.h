#pragma once
// The program's cursor as every back end keeps it: the cursor set last
// (SetCursor), the wait cursor over it while BeginWaitCursor calls are open,
// and none while a prompt has it suspended. The back end puts it on the
// screen and says which cursors are its own.

#include "platform/ui/Cursors.h"

namespace platform::detail {

// The cursor to show now: nullptr when the program sets none or a prompt
// has it suspended.
HCURSOR ProgramCursorOnScreen();

// The back end's side.
bool OwnsCursor(HCURSOR cursor);
HCURSOR StandardCursor(int id);
// Shows ProgramCursorOnScreen() (the usual cursors when it is nullptr).
void ShowProgramCursor();

}  // namespace platform::detail
