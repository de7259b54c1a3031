#pragma once
// Keyboard shortcuts: an accelerator table per top-level window, key chord
// -> command id. A chord in the table reaches the window's message map as
// WM_COMMAND (code 1) before any control sees the key, as the message loop
// translates accelerators first on Windows.

#include "platform/WinTypes.h"

#include <span>
#include <vector>

#if defined(_WIN32)
// The system headers spell these as macros; here they are constants of our own.
#undef FVIRTKEY
#undef FSHIFT
#undef FCONTROL
#undef FALT
#endif

namespace platform {

class CWnd;

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt;  // FVIRTKEY with FSHIFT, FCONTROL, FALT as held
    WORD key;    // a virtual key: 'A'..'Z', '0'..'9', VK_F1.., VK_ESCAPE, ...
    WORD cmd;
};

// Replaces the table of window's top-level window; an empty table removes
// it. The table ends with the window. FALSE without a window.
BOOL SetAccelerators(CWnd& window, std::span<const ACCEL> table);
std::vector<ACCEL> GetAccelerators(const CWnd& window);

}  // namespace platform
