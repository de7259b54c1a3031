#pragma once
// A static control: text, icon, picture, frame or line.

#include "platform/ui/CWnd.h"

namespace logo {
struct Picture;
}

namespace platform {

class CStatic : public CWnd {
public:
    // The picture an SS_BITMAP control shows (STM_SETIMAGE): centred at its
    // own size. The control keeps the pointer, not a copy: the caller owns
    // the picture and keeps it alive while it is shown. Setting the same
    // picture again repaints it, so a changed colour table shows at once.
    // nullptr empties the control. Returns the picture shown before.
    const logo::Picture* SetBitmap(const logo::Picture* picture);
    const logo::Picture* GetBitmap() const;
};

}  // namespace platform
