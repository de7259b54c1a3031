#pragma once
// A window as the applet sees it: a dialog or one of its controls. The
// object may exist without a window (then every query answers "nothing":
// FALSE, empty text, a zero rectangle). Windows are toolkit widgets behind
// the scenes; this header names no toolkit type.

#include "platform/WinTypes.h"
#include "platform/ui/CPoint.h"
#include "platform/ui/CRect.h"
#include "platform/ui/UiConstants.h"

#include <memory>
#include <string>

namespace platform {

class CDC;

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The window handle: the window's widget, nullptr when there is none.
    HWND GetSafeHwnd() const;
    // The framework object for a handle (a dialog, a dialog's control or a
    // temporary wrapper for any other window); nullptr for nullptr.
    static CWnd* FromHandle(HWND hwnd);
    BOOL IsWindow() const;

    // Children by control id; nullptr when there is no such control.
    CWnd* GetDlgItem(int id) const;
    template <class T>
    T* GetDlgItemAs(int id) const
    {
        return dynamic_cast<T*>(GetDlgItem(id));
    }
    int GetDlgCtrlID() const;

    // Returns TRUE when the window was disabled before.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;

    // SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINNOACTIVE, SW_SHOWNA. Returns TRUE
    // when the window was visible before.
    BOOL ShowWindow(int showCommand);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL BringWindowToTop();
    // The window that owns this top-level window; nullptr when none.
    CWnd* GetOwner() const;

    // Gives the keyboard focus to this window; returns the window that had it.
    CWnd* SetFocus();
    static CWnd* GetFocus();

    void GetClientRect(RECT* rect) const;
    // Screen coordinates, frame included for top-level windows.
    void GetWindowRect(RECT* rect) const;
    void ClientToScreen(POINT* point) const;
    void ClientToScreen(RECT* rect) const;
    void ScreenToClient(POINT* point) const;
    void ScreenToClient(RECT* rect) const;
    // x, y: screen coordinates for top-level windows, parent client
    // coordinates for controls. Honours SWP_NOSIZE, SWP_NOMOVE,
    // SWP_NOZORDER and SWP_NOACTIVATE; insertAfter is accepted but not
    // honoured (the stacking order stays as it is).
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    // repaint is accepted but not honoured: a moved window always repaints.
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);

    // Marks the whole client area (and the picture controls on it) for
    // repainting; the next paint runs the owner drawing again. erase is
    // accepted but not honoured: the owner drawing paints every pixel.
    void Invalidate(BOOL erase = TRUE);
    // Paints now what is marked.
    void UpdateWindow();

    // The caption icon from an icon resource (.ico bytes, all sizes kept).
    // bigIcon is accepted but not honoured: one icon serves both sizes.
    BOOL SetIcon(int iconResourceId, BOOL bigIcon = FALSE);

    // A device context whose GetPixel reads what the window shows and whose
    // drawing goes to the window's client buffer. Owned by the window;
    // valid until ReleaseDC or the window's end. nullptr without a window.
    CDC* GetDC();
    int ReleaseDC(CDC* dc);

    virtual BOOL DestroyWindow();

    // Makes this object stand for a window (nullptr: none); Detach lets go
    // of it and returns it. The window itself is left alone.
    BOOL Attach(HWND hwnd);
    HWND Detach();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace platform
