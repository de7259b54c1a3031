#pragma once
// Showing a top-level window without activating it. Qt asks the window
// manager not to focus the window it maps, but a window manager may focus
// it all the same (openbox does for a window owned by the active one): an
// activation that the mapping brings is handed back to the window that was
// active before.

class QWidget;

namespace platform::detail {

// Call just before the window is shown.
void KeepActivationWhileShowing(QWidget* window);

}  // namespace platform::detail
