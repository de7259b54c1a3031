// The Qt side of the application object: its tear-down. The rest of
// CWinApp is toolkit-free and shared (platform/ui/CWinApp.cpp).

#include "platform/ui/CWinApp.h"

#include "platform/qt/TempWindows.h"

namespace platform {

void AfxWinTerm()
{
    detail::ClearTemporaryWrappers();
}

}  // namespace platform
