#include "platform/ui/ProgramCursor.h"

#include "platform/ui/CursorSuspension.h"
#include "platform/ui/Cursors.h"

namespace platform {
namespace {

struct CursorState {
    HCURSOR current = nullptr;
    int waitDepth = 0;
    int suspendDepth = 0;
};

CursorState& State()
{
    static CursorState state;
    return state;
}

}  // namespace

HCURSOR detail::ProgramCursorOnScreen()
{
    return State().suspendDepth > 0 ? nullptr : ShownCursor();
}

HCURSOR SetCursor(HCURSOR cursor)
{
    CursorState& state = State();
    const HCURSOR previous = state.current;
    state.current = detail::OwnsCursor(cursor) ? cursor : nullptr;
    if (state.current != previous)
        detail::ShowProgramCursor();
    return previous;
}

HCURSOR GetCursor()
{
    return State().current;
}

void BeginWaitCursor()
{
    if (++State().waitDepth == 1)
        detail::ShowProgramCursor();
}

void EndWaitCursor()
{
    CursorState& state = State();
    if (state.waitDepth == 0)
        return;
    if (--state.waitDepth == 0)
        detail::ShowProgramCursor();
}

HCURSOR ShownCursor()
{
    const CursorState& state = State();
    return state.waitDepth > 0 ? detail::StandardCursor(IDC_WAIT) : state.current;
}

void SuspendProgramCursor()
{
    if (++State().suspendDepth == 1)
        detail::ShowProgramCursor();
}

void ResumeProgramCursor()
{
    CursorState& state = State();
    if (state.suspendDepth > 0 && --state.suspendDepth == 0)
        detail::ShowProgramCursor();
}

}  // namespace platform
