#include "platform/ui/Dlu.h"

#include <climits>
#include <cstdint>

namespace platform {

int MulDiv(int a, int b, int c)
{
    if (c == 0) {
        return -1;
    }
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
    const std::int64_t result = negative ? -rounded : rounded;
    if (result > INT_MAX || result < INT_MIN) {
        return -1;
    }
    return static_cast<int>(result);
}

int DluToPixelsX(int dlu) { return MulDiv(dlu, kDialogBaseUnitX, 4); }
int DluToPixelsY(int dlu) { return MulDiv(dlu, kDialogBaseUnitY, 8); }

RECT DluRectToPixels(int x, int y, int cx, int cy)
{
    const LONG left = DluToPixelsX(x);
    const LONG top = DluToPixelsY(y);
    return RECT{left, top, left + DluToPixelsX(cx), top + DluToPixelsY(cy)};
}

}  // namespace platform
