#include "platform/ui/UiConstants.h"

namespace platform {

COLORREF GetSysColor(int index)
{
    switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME: return RGB(0, 0, 0);
    case COLOR_BTNFACE: return kDialogFaceColor;
    case COLOR_BTNSHADOW: return RGB(128, 128, 128);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    default: return RGB(0, 0, 0);
    }
}

}  // namespace platform
