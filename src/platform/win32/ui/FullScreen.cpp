#include "platform/WinTypes.h"
#include "platform/ui/FullScreen.h"

#include "platform/ui/CWnd.h"
#include "platform/win32/ui/WindowHooks.h"

#include <map>

namespace platform {

namespace {

// What a window had before it went full screen.
struct NormalState {
    LONG style = 0;
    LONG exStyle = 0;
    WINDOWPLACEMENT placement{};
};

std::map<HWND, NormalState>& FullScreenWindows()
{
    static std::map<HWND, NormalState> windows;
    return windows;
}

// The frame and edges a full-screen window goes without.
constexpr LONG kFrameStyles = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_MAXIMIZE | WS_MINIMIZE;
constexpr LONG kFrameExStyles = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;

bool IsTopLevel(HWND hwnd)
{
    return hwnd != nullptr && ::IsWindow(hwnd) && (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) == 0;
}

// The whole monitor the window is on (most of it, when it spans several),
// task bar included.
RECT MonitorArea(HWND hwnd)
{
    RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (HMONITOR monitor = ::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST)) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (::GetMonitorInfoA(monitor, &info))
            area = info.rcMonitor;
    }
    return area;
}

void ApplyFrame(HWND hwnd, LONG style, LONG exStyle)
{
    ::SetWindowLongA(hwnd, GWL_STYLE, style);
    ::SetWindowLongA(hwnd, GWL_EXSTYLE, exStyle);
}

void Enter(HWND hwnd)
{
    NormalState normal;
    normal.style = ::GetWindowLongA(hwnd, GWL_STYLE);
    normal.exStyle = ::GetWindowLongA(hwnd, GWL_EXSTYLE);
    normal.placement.length = sizeof normal.placement;
    ::GetWindowPlacement(hwnd, &normal.placement);
    // A minimized or maximized window comes back to its normal size first,
    // so the system's own state does not fight the new rectangle.
    if (::IsIconic(hwnd) || ::IsZoomed(hwnd))
        ::ShowWindow(hwnd, SW_RESTORE);
    FullScreenWindows()[hwnd] = normal;
    ApplyFrame(hwnd, static_cast<LONG>((normal.style & ~kFrameStyles) | WS_POPUP), normal.exStyle & ~kFrameExStyles);
    const RECT area = MonitorArea(hwnd);
    // The shell moves the task bar below a window that covers the monitor
    // with no frame once it is active.
    ::SetWindowPos(hwnd, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

void Leave(HWND hwnd)
{
    const auto it = FullScreenWindows().find(hwnd);
    if (it == FullScreenWindows().end())
        return;
    NormalState normal = it->second;
    FullScreenWindows().erase(it);
    ApplyFrame(hwnd, normal.style & ~(WS_MINIMIZE | WS_MAXIMIZE), normal.exStyle);
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Back where it was, maximized again if it was; never minimized, as it
    // was restored on the way in.
    if (normal.placement.showCmd == SW_SHOWMINIMIZED || normal.placement.showCmd == SW_MINIMIZE
        || normal.placement.showCmd == SW_SHOWMINNOACTIVE)
        normal.placement.showCmd = SW_SHOWNORMAL;
    if (normal.placement.showCmd == SW_HIDE)
        normal.placement.showCmd = SW_SHOWNORMAL;
    normal.placement.length = sizeof normal.placement;
    normal.placement.flags = 0;
    ::SetWindowPlacement(hwnd, &normal.placement);
}

}  // namespace

BOOL SetFullScreen(CWnd& window, BOOL fullScreen)
{
    const HWND hwnd = window.GetSafeHwnd();
    if (!IsTopLevel(hwnd))
        return FALSE;
    const bool wanted = fullScreen != FALSE;
    const bool now = FullScreenWindows().count(hwnd) != 0;
    if (wanted == now)
        return TRUE;
    if (wanted) {
        // The state goes with the window.
        if (!win32::HasWindowHook(hwnd, win32::HookSlot::FullScreen)
            && !win32::SetWindowHook(hwnd, win32::HookSlot::FullScreen,
                                     [](HWND destroyed, UINT message, WPARAM, LPARAM, LRESULT&) {
                                         if (message == WM_NCDESTROY)
                                             FullScreenWindows().erase(destroyed);
                                         return false;
                                     }))
            return FALSE;
        Enter(hwnd);
    } else {
        Leave(hwnd);
        win32::RemoveWindowHook(hwnd, win32::HookSlot::FullScreen);
    }
    ::SetForegroundWindow(hwnd);
    return TRUE;
}

BOOL IsFullScreen(const CWnd& window)
{
    const HWND hwnd = window.GetSafeHwnd();
    return IsTopLevel(hwnd) && FullScreenWindows().count(hwnd) != 0 ? TRUE : FALSE;
}

namespace {

BOOL WorkAreaOf(HMONITOR monitor, RECT* area)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (area == nullptr || monitor == nullptr || !::GetMonitorInfoA(monitor, &info))
        return FALSE;
    *area = info.rcWork;
    return TRUE;
}

}  // namespace

BOOL GetWorkArea(const CWnd& window, RECT* area)
{
    const HWND hwnd = window.GetSafeHwnd();
    return WorkAreaOf(hwnd != nullptr ? ::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST) : nullptr, area);
}

BOOL GetWorkAreaAt(POINT point, RECT* area)
{
    return WorkAreaOf(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), area);
}

}  // namespace platform
