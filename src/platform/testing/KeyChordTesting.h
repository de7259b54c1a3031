#pragma once
// Key chords and double clicks as the user makes them, for windows with
// accelerator tables and picture windows.

#include "platform/WinTypes.h"
#include "platform/ui/CWnd.h"

namespace platform::testing {

// A key with modifiers (FCONTROL, FSHIFT, FALT of Accelerators.h) to the
// window's focus widget, shortcuts first as from the window system. vk:
// 'A'..'Z', '0'..'9', VK_F1..VK_F24, VK_ESCAPE, VK_RETURN.
void SendKeyChord(CWnd& window, UINT vk, BYTE modifiers = 0);

// A double click with the left button at a client point of the window.
void DoubleClick(CWnd& window, POINT clientPoint);

}  // namespace platform::testing
