#include "tests/win32/ui/ControlHost.h"

#include "tests/win32/ui/TestWindow.h"

namespace lumivane::test {
namespace {

const char* ControlHostClass()
{
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = "LumivaneControlHost";
        ::RegisterClassA(&wc);
        return "LumivaneControlHost";
    }();
    return name;
}

}  // namespace

ControlHost::ControlHost(int width, int height)
{
    m_hwnd = ::CreateWindowExA(0, ControlHostClass(), "controls", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height,
                               nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlHost::Procedure));
    ::ShowWindow(m_hwnd, SW_SHOW);
    ::UpdateWindow(m_hwnd);
    m_window.Attach(m_hwnd);
    PumpMessages();
}

ControlHost::~ControlHost()
{
    m_window.Detach();
    if (m_hwnd != nullptr)
        ::DestroyWindow(m_hwnd);
    PumpMessages();
}

HWND ControlHost::Add(const char* windowClass, int id, DWORD style, int x, int y, int cx, int cy, const char* text,
                      DWORD exStyle)
{
    HWND control = ::CreateWindowExA(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, m_hwnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                     nullptr);
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

LRESULT CALLBACK ControlHost::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<ControlHost*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_COMMAND && self != nullptr)
        self->m_commands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace lumivane::test
