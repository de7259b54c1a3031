#pragma once
// While a modal prompt is open the program's cursor is taken off the screen
// (the prompt shows the usual cursors) and put back when the prompt closes.
// The calls nest.

namespace platform {

void SuspendProgramCursor();
void ResumeProgramCursor();

}  // namespace platform
