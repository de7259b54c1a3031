#include "platform/ui/ControlText.h"

#include "platform/ui/CWnd.h"

#include <algorithm>
#include <string>

namespace platform {

int ControlHeightForWidth(const CWnd& control, int width)
{
    const HWND hwnd = control.GetSafeHwnd();
    if (hwnd == nullptr)
        return 0;
    // The edges are what the window has beyond its client area.
    RECT window{};
    RECT client{};
    ::GetWindowRect(hwnd, &window);
    ::GetClientRect(hwnd, &client);
    const int edgeWidth = (window.right - window.left) - (client.right - client.left);
    const int edgeHeight = (window.bottom - window.top) - (client.bottom - client.top);

    const int length = ::GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(hwnd, text.data(), length + 1);
    UINT format = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS;
    if ((::GetWindowLongA(hwnd, GWL_STYLE) & SS_NOPREFIX) != 0)
        format |= DT_NOPREFIX;

    const HDC dc = ::GetDC(hwnd);
    if (dc == nullptr)
        return 0;
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(hwnd, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    RECT box{0, 0, std::max(width - edgeWidth, 1), 0};
    ::DrawTextA(dc, text.c_str(), std::max(copied, 0), &box, format);
    if (previous != nullptr)
        ::SelectObject(dc, previous);
    ::ReleaseDC(hwnd, dc);
    return (box.bottom - box.top) + edgeHeight;
}

}  // namespace platform
