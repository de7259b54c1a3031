#pragma once
// One message as the framework hands it to a dialog's message map: the
// message code and the parameters that message carries, already unpacked.

#include "platform/ui/CPoint.h"
#include "platform/ui/UiConstants.h"

namespace platform {

class CWnd;

struct MessageEvent {
    UINT message = 0;        // WM_COMMAND, WM_TIMER, WM_PAINT, WM_MOUSEMOVE, ...
    int controlId = 0;       // WM_COMMAND: the control (or IDOK / IDCANCEL)
    UINT code = 0;           // WM_COMMAND: BN_CLICKED, EN_CHANGE, EN_KILLFOCUS
    UINT_PTR timerId = 0;    // WM_TIMER
    UINT keyFlags = 0;       // mouse messages: MK_* bits
    CPoint point;            // mouse messages: client coordinates; WM_CONTEXTMENU: screen
    CWnd* window = nullptr;  // WM_SETCURSOR, WM_CONTEXTMENU: window under the cursor; WM_ACTIVATE: the other window
    UINT hitTest = 0;        // WM_SETCURSOR
    UINT mouseMessage = 0;   // WM_SETCURSOR: the mouse message that caused it
    UINT state = 0;          // WM_ACTIVATE: WA_ACTIVE / WA_INACTIVE
    BOOL minimized = FALSE;  // WM_ACTIVATE
};

}  // namespace platform
