#pragma once
// Device-independent bitmaps made from the framework's pictures, for the
// picture controls (STM_SETIMAGE, BM_SETIMAGE) and for putting a paint's
// pixels on screen. Each is a 32-bit top-down DIB section; the caller owns
// the handle and frees it with DeleteObject.

#include "platform/WinTypes.h"

namespace logo {
struct Picture;
}

namespace platform {
class PixelBuffer;
}

namespace platform::win32 {

// nullptr for a picture with no pixels, or one whose sizes do not match its data.
HBITMAP CreateDibSection(const logo::Picture& picture);
HBITMAP CreateDibSection(const PixelBuffer& pixels);

// Copies the buffer onto the device at (x, y), through a DIB section.
bool BlitPixels(HDC target, int x, int y, const PixelBuffer& pixels);

}  // namespace platform::win32
