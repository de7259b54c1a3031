#include "platform/win32/ui/HelpWindow.h"

#include "platform/win32/module/ModuleInstance.h"

#include <vector>

namespace platform::win32 {

namespace {

constexpr const char* kClassName = "LumivaneHelpViewer";
constexpr int kEditId = 100;
constexpr int kCloseId = IDCANCEL;
constexpr int kWidth = 520;
constexpr int kHeight = 560;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;

bool g_classRegistered = false;
WNDPROC g_editProcedure = nullptr;

HFONT GuiFont()
{
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void Layout(HWND viewer)
{
    RECT client{};
    ::GetClientRect(viewer, &client);
    const int buttonTop = client.bottom - kMargin - kButtonHeight;
    if (HWND edit = ::GetDlgItem(viewer, kEditId))
        ::MoveWindow(edit, kMargin, kMargin, client.right - 2 * kMargin, buttonTop - 2 * kMargin, TRUE);
    if (HWND close = ::GetDlgItem(viewer, kCloseId))
        ::MoveWindow(close, client.right - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight, TRUE);
}

// Escape in the text closes the viewer, as it closes a help window.
LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        ::PostMessageA(::GetParent(edit), WM_CLOSE, 0, 0);
        return 0;
    }
    if (message == WM_CHAR && wParam == VK_ESCAPE)
        return 0;
    return ::CallWindowProcA(g_editProcedure, edit, message, wParam, lParam);
}

bool CreateChildren(HWND viewer)
{
    HINSTANCE module = ModuleInstance();
    HWND edit = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY
                                      | ES_AUTOVSCROLL,
                                  0, 0, 0, 0, viewer, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), module,
                                  nullptr);
    HWND close = ::CreateWindowExA(0, "BUTTON", "Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0,
                                   0, 0, viewer, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseId)), module,
                                   nullptr);
    if (edit == nullptr || close == nullptr)
        return false;
    ::SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    ::SendMessageA(close, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    // SetWindowLongPtrA is SetWindowLongA in 32-bit headers, so Windows 98 has it.
    g_editProcedure = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProcedure)));
    return g_editProcedure != nullptr;
}

LRESULT CALLBACK ViewerProcedure(HWND viewer, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return CreateChildren(viewer) ? 0 : -1;
    case WM_SIZE:
        Layout(viewer);
        return 0;
    case WM_SETFOCUS:
        if (HWND edit = ::GetDlgItem(viewer, kEditId))
            ::SetFocus(edit);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCloseId) {
            ::DestroyWindow(viewer);
            return 0;
        }
        break;
    case WM_CLOSE:
        ::DestroyWindow(viewer);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(viewer, message, wParam, lParam);
}

bool RegisterClassOnce()
{
    if (g_classRegistered)
        return true;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ViewerProcedure;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kClassName;
    g_classRegistered = ::RegisterClassA(&windowClass) != 0;
    return g_classRegistered;
}

// UTF-8 to the system's ANSI code page, which the A edit control shows
// (Windows 98 has no W controls); CP_UTF8 takes no flags there.
std::string ToAnsi(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int wideLength =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (wideLength <= 0)
        return utf8;
    std::vector<wchar_t> wide(static_cast<std::size_t>(wideLength));
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wideLength);
    const int ansiLength = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (ansiLength <= 0)
        return utf8;
    std::string ansi(static_cast<std::size_t>(ansiLength), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(), ansiLength, nullptr, nullptr);
    return ansi;
}

std::string WithCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

HWND CreateHelpWindow(HWND owner, const std::string& title)
{
    if (!RegisterClassOnce())
        return nullptr;
    HWND viewer = ::CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                    CW_USEDEFAULT, kWidth, kHeight, owner, nullptr, ModuleInstance(), nullptr);
    if (viewer != nullptr)
        Layout(viewer);
    return viewer;
}

void SetHelpWindowText(HWND viewer, const std::string& text)
{
    HWND edit = HelpWindowEdit(viewer);
    if (edit == nullptr)
        return;
    const std::string shown = WithCrLf(ToAnsi(text));
    // Windows 98 keeps a multiline edit's text to 64 KiB whatever the limit
    // asked; the help file is far below that.
    ::SendMessageA(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(shown.size() + 1), 0);
    ::SetWindowTextA(edit, shown.c_str());
    ::SendMessageA(edit, EM_SETSEL, 0, 0);
    ::SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

HWND HelpWindowEdit(HWND viewer)
{
    return viewer != nullptr ? ::GetDlgItem(viewer, kEditId) : nullptr;
}

void UnregisterHelpWindowClass()
{
    if (g_classRegistered && ::UnregisterClassA(kClassName, ModuleInstance()) != FALSE)
        g_classRegistered = false;
}

}  // namespace platform::win32
