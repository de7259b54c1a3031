#pragma once
// The help viewer's window: a top-level window of our own holding a
// read-only edit control with the help text and a Close button. Escape
// closes it too. Plain user32 and gdi32 of Windows 98: the system's own help
// cannot show our Markdown file, and a RichEdit control is not needed for
// plain text.

#include "platform/WinTypes.h"

#include <string>

namespace platform::win32 {

// A new viewer window owned by owner (which may be nullptr), hidden;
// nullptr when it cannot be made.
HWND CreateHelpWindow(HWND owner, const std::string& title);

// Shows text (UTF-8, lines ending in '\n') from its top.
void SetHelpWindowText(HWND viewer, const std::string& text);

// The edit control inside the viewer.
HWND HelpWindowEdit(HWND viewer);

// The window class goes with the module: call once no viewer is left.
void UnregisterHelpWindowClass();

}  // namespace platform::win32
