#pragma once
// Under Wayland the one thing a client can say about where its windows go
// is whose child a window is: compositors place a child over its parent and
// keep it above. A window shown without activation (the editor's preview)
// whose owner is out of sight (the main dialog, hidden while the editor
// runs) is shown as a child of the modal dialog that its owner runs, once
// that dialog is on the screen; shown earlier, the dialog would be mapped
// after it and on top of it.

class QWidget;

namespace platform::detail {

// Shows window so (now or when that dialog appears) and returns true; false
// when it does not apply (not Wayland, owner visible, no such dialog).
bool ShowAboveRunningDialog(QWidget* window);
// A show that is still waiting for its dialog counts as shown.
bool ShowPending(const QWidget* window);
void CancelPendingShow(QWidget* window);

// A window hidden in place of a minimise (Wayland) stays what it was for
// the program: the active window, the owner of dialogs started meanwhile.
void HideInPlaceOfMinimise(QWidget* window);
// The active window, or the one hidden in its place while it stays hidden.
QWidget* ActiveOrMinimisedWindow();

}  // namespace platform::detail
