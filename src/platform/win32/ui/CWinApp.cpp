// The Win32 side of the application object: its tear-down. The rest of
// CWinApp is toolkit-free and shared (platform/ui/CWinApp.cpp).

#include "platform/ui/CWinApp.h"

#include "platform/ui/WinHelp.h"
#include "platform/win32/ui/HelpWindow.h"
#include "platform/win32/ui/WindowRegistry.h"

namespace platform {

void AfxWinTerm()
{
    // The viewer's window class belongs to the module, which may be
    // unloaded next: no window of it may outlive this.
    CloseHelpViewer();
    win32::UnregisterHelpWindowClass();
    win32::DropTemporaryWrappers();
}

}  // namespace platform
