#pragma once
// The framework's own view of a window's messages, for the features that
// keep something per window (accelerator tables, file drops, full screen,
// the bitmaps behind picture controls and button faces). The window is
// subclassed once, with SetWindowLongPtrA and GWLP_WNDPROC (SetWindowLongA
// on 32-bit Windows; Windows 98 has no SetWindowSubclass), and each
// feature's hook sees the window's messages before its own procedure, in
// the order of the slots below.
//
// Every hook is called for WM_NCDESTROY after the window's procedure has
// handled it, and its answer is ignored: that is where a feature frees what
// it kept for the window. The window's hooks are gone after that.

#include "platform/WinTypes.h"

#include <functional>

namespace platform::win32 {

enum class HookSlot {
    Accelerators,
    FileDrops,
    FullScreen,
    ButtonFace,
    StaticPicture,
};

// Returns true when it handled the message, with result as the answer; false
// passes the message on to the next hook and then to the window's procedure.
using WindowHook = std::function<bool(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

// Sets the window's hook in that slot, replacing the one there. False when the
// window does not exist or belongs to another thread.
bool SetWindowHook(HWND hwnd, HookSlot slot, WindowHook hook);
// Takes the hook off (it is not called for WM_NCDESTROY then). When the
// window has no hook left, its own procedure is put back if nothing
// subclassed the window after the framework did.
void RemoveWindowHook(HWND hwnd, HookSlot slot);
bool HasWindowHook(HWND hwnd, HookSlot slot);

}  // namespace platform::win32
