#pragma once
// A button control: push button, push-like radio button, group box or
// bitmap button.

#include "platform/ui/CWnd.h"

namespace logo {
struct Picture;
}

namespace platform {

class CButton : public CWnd {
public:
    // BST_CHECKED / BST_UNCHECKED; checking an auto radio button does not
    // touch the others of its group (as BM_SETCHECK).
    void SetCheck(int check);
    int GetCheck() const;
    // Shows or takes off the pushed look (BM_SETSTATE).
    void SetState(BOOL pushed);
    // The face of a BS_BITMAP button (BM_SETIMAGE); the picture is copied.
    void SetBitmap(const logo::Picture& picture);
    // Clicks the button as the user would (BN_CLICKED to the dialog).
    void Click();
};

}  // namespace platform
