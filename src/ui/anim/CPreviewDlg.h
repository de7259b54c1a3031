#pragma once
// The editor's Preview window: the picture being edited at its own size,
// unscaled and centred, in a small modeless tool window. It has no handlers
// of its own; the editor creates, shows, hides, refreshes and destroys it.

#include "logo/Picture.h"
#include "platform/ui/CDialog.h"

class CPreviewDlg : public platform::CDialog {
public:
    CPreviewDlg();

    // Hands the picture to the picture control (the control keeps the
    // pointer; handing the same picture again shows its current table).
    void ShowPicture(const logo::Picture* picture);
    // Invalidates the whole window, picture control included.
    void Redraw();
};
