#pragma once
// Top-level windows are placed and measured by their frame, as on Windows:
// GetWindowRect gives the frame's corner and SetWindowPos puts the frame's
// corner there. The toolkit alone would put the client area there while
// the frame is unknown (not shown yet, or shown and not yet framed by the
// window manager), so a stored position crept by the frame's size at every
// restore.

#include <QPoint>
#include <QRect>

class QWidget;

namespace platform::detail {

// Puts the window's frame (its client area, without a window manager) at
// topLeft in screen coordinates.
void MoveFrameTo(QWidget* window, const QPoint& topLeft);

// The frame in screen coordinates. Just after MoveFrameTo, until the window
// system has placed the window, that is where the frame was asked to go.
QRect FrameRect(QWidget* window);

}  // namespace platform::detail
