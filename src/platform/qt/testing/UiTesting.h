#pragma once
// Test hooks for the dialog framework: drive modal dialogs, fire timers,
// click, type and move the mouse as the user would, and read back what the
// controls show. For tests and screenshots only; applet code never uses it.

#include "platform/ui/CDialog.h"

#include <QImage>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::testing {

// Every step below (click, command, mouse, key, typing, close box, timer
// tick, the start and end of a modal hook) ends by painting every shown
// top-level window, as the screen would after the step, so that a fault in
// painting shows in the test that caused it. On a real display the pending
// repaints reach the server and the windows' pixels are read back from it.
void PaintShownWindows();

// Runs callback each time a dialog with templateId starts its modal run:
// after OnInitDialog, with the window shown, inside the modal loop. The
// callback can drive the dialog and EndDialog it. Hooks for the same id
// stack; the newest one runs.
class ScopedModalHook {
public:
    ScopedModalHook(int templateId, std::function<void(CDialog&)> callback);
    ~ScopedModalHook();
    ScopedModalHook(const ScopedModalHook&) = delete;
    ScopedModalHook& operator=(const ScopedModalHook&) = delete;

    int Calls() const;

private:
    int m_token;
};

// Ends a modal run that lasts longer than ms with the result -1, so a test
// that forgot to close a dialog fails instead of hanging; 0 turns it off.
void SetModalTimeout(int ms);

// Delivers one tick of timer id as if it had elapsed; false when the
// window has no such timer.
bool FireTimer(CWnd& dialog, UINT_PTR id);
std::vector<UINT_PTR> ActiveTimers(CWnd& dialog);
// The period in milliseconds, -1 when there is no such timer.
int TimerInterval(CWnd& dialog, UINT_PTR id);

// Clicks a control with the mouse as the user would; false when it is
// missing, disabled or hidden (and nothing happens then).
bool ClickControl(CWnd& dialog, int controlId);
// Hands a WM_COMMAND straight to the dialog's routing.
void SendCommand(CDialog& dialog, int controlId, UINT code = BN_CLICKED);

enum class MouseAction { Move, LeftDown, LeftUp, RightDown };
// A mouse event at a point of the dialog's client area; keyFlags takes
// MK_SHIFT and MK_CONTROL.
void SendMouse(CWnd& dialog, MouseAction action, POINT clientPoint, UINT keyFlags = 0);

constexpr UINT KEY_ALT = 0x10000;  // with SendKey: the Alt key held
// A key press to the window's focus widget (or the window): VK_ESCAPE,
// VK_RETURN, VK_TAB, VK_SPACE, 'A'..'Z', '0'..'9', optionally | KEY_ALT.
void SendKey(CWnd& window, UINT key);
// Focuses the control and types text key by key (validators apply).
void TypeText(CWnd& dialog, int controlId, const std::string& text);
// The title bar's close box.
void ClickCloseBox(CWnd& window);

struct ControlState {
    bool exists = false;
    bool enabled = false;
    bool visible = false;
    bool checked = false;
    bool focused = false;
    bool isDefault = false;  // the default push button
    bool flat = false;
    std::string text;        // window text as set (mnemonic ampersands kept)
    RECT rect{};             // pixels, in the dialog's client coordinates
};
ControlState QueryControl(CWnd& dialog, int controlId);

// What the tooltip would say for a control, or over a client point
// (nullopt: no tooltip).
std::optional<std::string> ToolTipText(CWnd& dialog, int controlId);
std::optional<std::string> ToolTipAt(CWnd& dialog, POINT clientPoint);

// The owner a top-level window was given (nullptr: none).
HWND OwnerOf(CWnd& window);

// A point of the window's client area in its widget's coordinates (they
// differ where the window draws its own frame and caption).
QPoint ClientToWidget(CWnd& window, POINT clientPoint);

// True under a Wayland compositor, where no program can place its windows
// or restore a minimised one: tests check what happens there instead.
bool OnWayland();
// True when window is on the screen as a child of below (the window
// system keeps it above below).
bool ShownAsChildOf(CWnd& window, CWnd& below);

// The window as drawn, frame excluded (its client area); a null image
// without a window.
QImage GrabWindow(CWnd& window);
// With the frame and caption a window draws itself (Wayland).
QImage GrabWholeWindow(CWnd& window);

// The buttons of the caption a window draws itself (Wayland), by their
// accessible names; none without such a caption.
std::vector<std::string> CaptionButtons(CWnd& window);
// Clicks that caption's close button; false without one.
bool ClickCaptionClose(CWnd& window);
// Presses that caption away from its buttons, as a drag starts: true when
// the move was handed to the window system.
bool PressCaption(CWnd& window);
bool SaveWindowPng(CWnd& window, const std::string& path);
// Pixel sizes of the images of the window's caption icon.
std::vector<int> WindowIconSizes(CWnd& window);

}  // namespace platform::testing
