// The Win32 side of the application object: its tear-down. The rest of
// CWinApp is toolkit-free and shared (platform/ui/CWinApp.cpp).

#include "platform/ui/CWinApp.h"

#include "platform/win32/ui/WindowRegistry.h"

namespace platform {

void AfxWinTerm()
{
    win32::DropTemporaryWrappers();
}

}  // namespace platform
