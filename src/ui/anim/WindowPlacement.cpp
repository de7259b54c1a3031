#include "ui/anim/WindowPlacement.h"

#include "platform/ui/CRect.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/FullScreen.h"

#include <algorithm>

FrameSize FrameSizeOf(const platform::CWnd& window)
{
    platform::CRect frame;
    platform::CRect client;
    window.GetWindowRect(&frame);
    window.GetClientRect(&client);
    const bool frameKnown = frame.Width() != client.Width() || frame.Height() != client.Height();
    return FrameSize{frame.Width() + (frameKnown ? 0 : platform::kUsualFrameWidth),
                frame.Height() + (frameKnown ? 0 : platform::kUsualFrameHeight)};
}

POINT ClampWindowPosition(POINT wanted, int width, int height, const RECT& area)
{
    const LONG maxLeft = std::max<LONG>(area.left, area.right - std::max(width, 0));
    const LONG maxTop = std::max<LONG>(area.top, area.bottom - std::max(height, 0));
    return POINT{std::clamp<LONG>(wanted.x, area.left, maxLeft), std::clamp<LONG>(wanted.y, area.top, maxTop)};
}
