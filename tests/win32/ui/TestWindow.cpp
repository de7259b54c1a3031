#include "tests/win32/ui/TestWindow.h"

namespace lumivane::test {
namespace {

const char* TestWindowClass()
{
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "LumivaneUiTestWindow";
        ::RegisterClassA(&wc);
        return "LumivaneUiTestWindow";
    }();
    return name;
}

}  // namespace

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    ::GdiFlush();
}

TestWindow::TestWindow(int width, int height, std::function<void(HWND)> onPaint) : m_onPaint(std::move(onPaint))
{
    m_hwnd = ::CreateWindowExA(WS_EX_TOPMOST, TestWindowClass(), "test", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width,
                               height, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TestWindow::Procedure));
    ::ShowWindow(m_hwnd, SW_SHOW);
    Repaint();
}

TestWindow::~TestWindow()
{
    if (m_hwnd != nullptr)
        ::DestroyWindow(m_hwnd);
    PumpMessages();
}

void TestWindow::Repaint() const
{
    ::InvalidateRect(m_hwnd, nullptr, TRUE);
    ::UpdateWindow(m_hwnd);
    PumpMessages();
}

COLORREF TestWindow::ScreenPixel(int x, int y) const
{
    HDC dc = ::GetDC(m_hwnd);
    const COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(m_hwnd, dc);
    return color;
}

LRESULT CALLBACK TestWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_PAINT && self != nullptr && self->m_onPaint) {
        self->m_onPaint(hwnd);
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace lumivane::test
