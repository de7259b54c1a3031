#include "platform/ui/UiConstants.h"

namespace platform {

COLORREF GetSysColor(int index)
{
    switch (index) {
    case COLOR_ACTIVECAPTION: return RGB(10, 36, 106);
    case COLOR_INACTIVECAPTION: return RGB(128, 128, 128);
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME: return RGB(0, 0, 0);
    case COLOR_BTNFACE: return kDialogFaceColor;
    case COLOR_BTNSHADOW: return RGB(128, 128, 128);
    case COLOR_CAPTIONTEXT: return RGB(255, 255, 255);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_INACTIVECAPTIONTEXT: return kDialogFaceColor;
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_GRADIENTACTIVECAPTION: return RGB(166, 202, 240);
    case COLOR_GRADIENTINACTIVECAPTION: return RGB(192, 192, 192);
    default: return RGB(0, 0, 0);
    }
}

}  // namespace platform
