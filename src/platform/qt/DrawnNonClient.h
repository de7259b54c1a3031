#pragma once
// Under Wayland no compositor frames our windows for us, and the toolkit's
// own title bar offers a minimise that xdg-shell cannot undo and a maximise
// on windows of fixed size. There a window goes without the toolkit's
// decoration and draws its non-client area itself, as its template asks:
// the dialog frame along its edges and, with a caption, a title bar with the
// title and a close button only (CaptionBar.h). The non-client area is the
// window's contents margins: the client area is its contents rectangle, as
// wide and high as it would be inside a window manager's frame. In full
// screen the whole window is client area.

#include <Qt>

class QWidget;

namespace platform::detail {

enum class DrawnCaption { None, Normal, Small };

// The window flags for a window that asks for these: under Wayland only its
// type and frameless (the toolkit puts its title bar back for any hint of a
// caption), elsewhere as asked.
Qt::WindowFlags DrawnNonClientFlags(Qt::WindowFlags asked);

// For a window not yet shown, before its size is fixed; does nothing off
// Wayland, or when there is neither a frame nor a caption to draw.
void DrawNonClientArea(QWidget* window, bool frame, DrawnCaption caption);

}  // namespace platform::detail
