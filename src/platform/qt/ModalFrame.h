#pragma once
// A pop-up dialog with a modal frame but no caption (DS_MODALFRAME without
// WS_CAPTION, as the About box and the editor path dialog are) keeps its
// frame. The toolkit has no flag for "border, no title": without a title it
// asks the window manager for no decoration at all. On X the window's Motif
// hints are set to the border alone, which window managers honour. Under
// Wayland the window draws its frame itself (DrawnNonClient.h).

class QWidget;

namespace platform::detail {

// For a created, not yet shown window; does nothing off X.
void RequestBorderWithoutTitle(QWidget* window);

}  // namespace platform::detail
