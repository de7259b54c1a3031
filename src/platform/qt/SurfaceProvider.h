#pragma once
// A widget that shows a pixel buffer (a dialog's owner-drawn client area, a
// picture control). The buffer is brought up to date on demand, so reading
// a pixel gives what the next paint shows, with or without a display.

#include "platform/WinTypes.h"

namespace platform {
class PixelBuffer;
}

namespace platform::detail {

class SurfaceProvider {
public:
    virtual ~SurfaceProvider() = default;

    // The client buffer as it stands (for drawing during a paint).
    virtual PixelBuffer& Buffer() = 0;
    // Repaints the buffer when it was marked or resized since the last paint.
    virtual void RenderIfDirty() = 0;
    virtual void MarkDirty() = 0;
    // The colour shown at a client point (children that show pixels
    // included); CLR_INVALID outside the client area.
    virtual COLORREF ReadShownPixel(int x, int y) = 0;
};

}  // namespace platform::detail
