#include "platform/ui/UiConstants.h"

namespace platform {

// The user's colour scheme, as every other window on the desktop shows it.
COLORREF GetSysColor(int index)
{
    return ::GetSysColor(index);
}

}  // namespace platform
