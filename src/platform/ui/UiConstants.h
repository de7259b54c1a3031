#pragma once
// Window-manager vocabulary used by the dialog framework: messages,
// notification codes, show/position flags, GDI stock objects and system
// colours. Values are the ones Windows uses.

#include "platform/WinTypes.h"

#include <cstdint>

#if !defined(_WIN32)
using UINT_PTR = std::uintptr_t;

// Messages (what the message maps route).
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;

// Notification codes carried by WM_COMMAND.
constexpr UINT BN_CLICKED = 0;
constexpr UINT EN_SETFOCUS = 0x0100;
constexpr UINT EN_KILLFOCUS = 0x0200;
constexpr UINT EN_CHANGE = 0x0300;

// Activation states (WM_ACTIVATE).
constexpr UINT WA_INACTIVE = 0;
constexpr UINT WA_ACTIVE = 1;
constexpr UINT WA_CLICKACTIVE = 2;

// Hit-test code of WM_SETCURSOR for the client area.
constexpr UINT HTCLIENT = 1;

// Button check states.
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

// Combo box results.
constexpr int CB_ERR = -1;

// SetWindowPos flags.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;

// Icon sizes for SetIcon.
constexpr int ICON_SMALL = 0;
constexpr int ICON_BIG = 1;

// Virtual keys the test hooks can send.
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_F11 = 0x7A;

// Pen styles and stock objects.
constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// System colours (GetSysColor).
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
#endif

namespace platform {

// The dialog face colour: every dialog's client area is filled with it
// before the dialog paints, so owner-drawn areas read it back between
// their own shapes.
constexpr COLORREF kDialogFaceColor = RGB(212, 208, 200);

// Fixed system colours, the classic grey scheme.
COLORREF GetSysColor(int index);

}  // namespace platform
