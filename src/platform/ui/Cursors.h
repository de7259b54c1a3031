#pragma once
// Mouse cursors: the program's own cursors come from .cur resources of the
// module (32 x 32 monochrome with a hot spot), the standard ones are the
// toolkit's. A cursor set with SetCursor stays in effect over every window of
// the program until it is set again (the program keeps it against the
// windows' own cursors, as a handled WM_SETCURSOR does); nullptr hands the
// pointer back to the windows' usual cursors. While a prompt is open the
// program's cursor is put aside (Prompts.h).

#include <optional>

#if defined(_WIN32)
#include "platform/WinTypes.h"
// The system headers spell these as macros; here they are constants of our own.
#undef IDC_ARROW
#undef IDC_WAIT
#else
struct HCURSOR__;
using HCURSOR = HCURSOR__*;  // nullptr: no cursor of the program's own
#endif

namespace platform {

constexpr int IDC_ARROW = 32512;
constexpr int IDC_WAIT = 32514;

// A cursor resource of the module by id, or the standard IDC_ARROW / IDC_WAIT.
// The same id gives the same handle while the resource is unchanged; handles
// stay valid for the life of the process. nullptr when the resource is absent
// or not a monochrome .cur.
HCURSOR LoadCursorA(int resourceId);

// Returns the cursor that was set before. A handle this layer did not make
// counts as nullptr.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

// The wait cursor covers whatever cursor is set until the matching end; the
// pairs nest. An end without a begin does nothing.
void BeginWaitCursor();
void EndWaitCursor();

// What is on screen now: the wait cursor while one is shown, else GetCursor().
HCURSOR ShownCursor();

struct CursorInfo {
    int resourceId = 0;   // IDC_ARROW / IDC_WAIT for the standard cursors
    bool standard = false;
    int width = 0;        // 0 for standard cursors
    int height = 0;
    int hotX = 0;
    int hotY = 0;
};
std::optional<CursorInfo> DescribeCursor(HCURSOR cursor);

}  // namespace platform
