#pragma once
// Pictures from logo/ on screen: composed centred into a pixel buffer (the
// picture control) or copied into an image (button faces).

#include "platform/WinTypes.h"

#include <QImage>

namespace logo {
struct Picture;
}

namespace platform {
class PixelBuffer;
}

namespace platform::detail {

// True when the picture's pixel bytes cover what its size and depth promise.
bool IsDrawable(const logo::Picture& picture);

// Fills buffer with background and draws picture centred at its own size
// (clipped at the buffer's edges). Indexed pictures go through their
// colour table, so a changed table shows on the next composition. A
// picture that is not drawable leaves the background.
void ComposeCentred(const logo::Picture* picture, PixelBuffer& buffer, COLORREF background);

// An RGB32 copy; a null image for a picture that is not drawable.
QImage PictureToImage(const logo::Picture& picture);

}  // namespace platform::detail
