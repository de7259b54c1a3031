#include "platform/WinTypes.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDC.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/PixelBuffer.h"
#include "platform/win32/module/ModuleInstance.h"
#include "platform/win32/picture/TopDownDib.h"
#include "platform/win32/ui/WindowRegistry.h"

#include <map>
#include <vector>

namespace platform {

namespace {

std::map<HWND, CWnd*>& Registry()
{
    static std::map<HWND, CWnd*> registry;
    return registry;
}

std::map<HWND, std::unique_ptr<CWnd>>& Temporaries()
{
    static std::map<HWND, std::unique_ptr<CWnd>> wrappers;
    return wrappers;
}

std::unique_ptr<CWnd> MakeWrapper(HWND hwnd)
{
    char name[32] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpiA(name, "Button") == 0)
        return std::make_unique<CButton>();
    if (lstrcmpiA(name, "Static") == 0)
        return std::make_unique<CStatic>();
    if (lstrcmpiA(name, "Edit") == 0)
        return std::make_unique<CEdit>();
    if (lstrcmpiA(name, "ComboBox") == 0)
        return std::make_unique<CComboBox>();
    return std::make_unique<CWnd>();
}

// A device context over a copy of the client area: drawing lands in the
// copy and goes to the screen when the context is released.
class WindowDC : public CDC {
public:
    explicit WindowDC(HWND hwnd) : m_hwnd(hwnd)
    {
        RECT client{};
        ::GetClientRect(hwnd, &client);
        const int width = client.right;
        const int height = client.bottom;
        m_buffer.Reset(width > 0 ? width : 0, height > 0 ? height : 0, RGB(0, 0, 0));
        if (width > 0 && height > 0) {
            HDC screen = ::GetDC(hwnd);
            HDC memory = ::CreateCompatibleDC(screen);
            const BITMAPINFO info = platform::win32::TopDownDibInfo(width, height);
            void* bits = nullptr;
            HBITMAP section = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (section != nullptr && bits != nullptr) {
                HGDIOBJ old = ::SelectObject(memory, section);
                ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
                ::GdiFlush();
                const auto* src = static_cast<const std::uint32_t*>(bits);
                std::uint32_t* dst = m_buffer.Data();
                for (int i = 0; i < width * height; ++i)
                    dst[i] = 0xFF000000u | (src[i] & 0x00FFFFFFu);
                ::SelectObject(memory, old);
            }
            if (section != nullptr)
                ::DeleteObject(section);
            ::DeleteDC(memory);
            ::ReleaseDC(hwnd, screen);
        }
        Attach(&m_buffer, [this](int x, int y) {
            return m_buffer.Contains(x, y) ? m_buffer.GetPixel(x, y) : CLR_INVALID;
        });
    }

    // Puts the buffer on the window.
    void Flush()
    {
        const int width = m_buffer.Width();
        const int height = m_buffer.Height();
        if (width <= 0 || height <= 0 || !::IsWindow(m_hwnd))
            return;
        const BITMAPINFO info = platform::win32::TopDownDibInfo(width, height);
        HDC screen = ::GetDC(m_hwnd);
        ::SetDIBitsToDevice(screen, 0, 0, width, height, 0, 0, 0, height, m_buffer.Data(), &info, DIB_RGB_COLORS);
        ::ReleaseDC(m_hwnd, screen);
    }

private:
    HWND m_hwnd;
    PixelBuffer m_buffer;
};

}  // namespace

namespace win32 {

void RegisterWindow(HWND hwnd, CWnd* window)
{
    if (hwnd == nullptr)
        return;
    // A temporary wrapper someone may still hold stays alive; lookups
    // prefer the attached object from now on.
    Registry()[hwnd] = window;
}

void UnregisterWindow(HWND hwnd, CWnd* window)
{
    auto it = Registry().find(hwnd);
    if (it != Registry().end() && it->second == window)
        Registry().erase(it);
}

CWnd* LookupWindow(HWND hwnd)
{
    auto it = Registry().find(hwnd);
    return it != Registry().end() ? it->second : nullptr;
}

CWnd* WrapWindow(HWND hwnd)
{
    if (hwnd == nullptr || !::IsWindow(hwnd))
        return nullptr;
    if (CWnd* known = LookupWindow(hwnd))
        return known;
    auto& temps = Temporaries();
    // A handle can be reused by a new window of another class.
    for (auto it = temps.begin(); it != temps.end();) {
        if (!::IsWindow(it->first))
            it = temps.erase(it);
        else
            ++it;
    }
    auto found = temps.find(hwnd);
    if (found != temps.end())
        return found->second.get();
    std::unique_ptr<CWnd> wrapper = MakeWrapper(hwnd);
    wrapper->Attach(hwnd);
    CWnd* raw = wrapper.get();
    // Attach registered it; the wrapper lives in the temporaries instead.
    Registry().erase(hwnd);
    temps[hwnd] = std::move(wrapper);
    return raw;
}

void ReleaseChildren(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children) {
        Temporaries().erase(child);
        if (CWnd* window = LookupWindow(child))
            window->Detach();
    }
}

void DropTemporaryWrappers()
{
    Temporaries().clear();
}

HWND TopLevelOf(HWND hwnd)
{
    HWND root = ::GetAncestor(hwnd, GA_ROOT);
    return root != nullptr ? root : hwnd;
}

}  // namespace win32

struct CWnd::Impl {
    HWND hwnd = nullptr;
    std::unique_ptr<WindowDC> dc;
};

CWnd::CWnd() : m_impl(std::make_unique<Impl>()) {}

CWnd::~CWnd()
{
    if (m_impl->hwnd != nullptr)
        win32::UnregisterWindow(m_impl->hwnd, this);
}

HWND CWnd::GetSafeHwnd() const
{
    return m_impl->hwnd;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    return win32::WrapWindow(hwnd);
}

BOOL CWnd::IsWindow() const
{
    return m_impl->hwnd != nullptr && ::IsWindow(m_impl->hwnd) ? TRUE : FALSE;
}

CWnd* CWnd::GetDlgItem(int id) const
{
    if (!IsWindow())
        return nullptr;
    return win32::WrapWindow(::GetDlgItem(m_impl->hwnd, id));
}

int CWnd::GetDlgCtrlID() const
{
    return IsWindow() ? ::GetDlgCtrlID(m_impl->hwnd) : 0;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    return IsWindow() ? ::EnableWindow(m_impl->hwnd, enable) : FALSE;
}

BOOL CWnd::IsWindowEnabled() const
{
    return IsWindow() ? ::IsWindowEnabled(m_impl->hwnd) : FALSE;
}

void CWnd::SetWindowText(const std::string& text)
{
    if (IsWindow())
        ::SetWindowTextA(m_impl->hwnd, text.c_str());
}

std::string CWnd::GetWindowText() const
{
    if (!IsWindow())
        return {};
    const int length = ::GetWindowTextLengthA(m_impl->hwnd);
    if (length <= 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(m_impl->hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(GetWindowText().size());
}

void CWnd::SetDlgItemText(int id, const std::string& text)
{
    if (CWnd* item = GetDlgItem(id))
        item->SetWindowText(text);
}

std::string CWnd::GetDlgItemText(int id) const
{
    CWnd* item = GetDlgItem(id);
    return item != nullptr ? item->GetWindowText() : std::string();
}

void CWnd::CheckDlgButton(int id, UINT check)
{
    if (IsWindow())
        ::CheckDlgButton(m_impl->hwnd, id, check);
}

UINT CWnd::IsDlgButtonChecked(int id) const
{
    return IsWindow() ? ::IsDlgButtonChecked(m_impl->hwnd, id) : 0;
}

BOOL CWnd::ShowWindow(int showCommand)
{
    return IsWindow() ? ::ShowWindow(m_impl->hwnd, showCommand) : FALSE;
}

BOOL CWnd::IsWindowVisible() const
{
    return IsWindow() ? ::IsWindowVisible(m_impl->hwnd) : FALSE;
}

BOOL CWnd::IsIconic() const
{
    return IsWindow() ? ::IsIconic(m_impl->hwnd) : FALSE;
}

BOOL CWnd::BringWindowToTop()
{
    return IsWindow() ? ::BringWindowToTop(m_impl->hwnd) : FALSE;
}

CWnd* CWnd::GetOwner() const
{
    return IsWindow() ? win32::WrapWindow(::GetWindow(m_impl->hwnd, GW_OWNER)) : nullptr;
}

CWnd* CWnd::SetFocus()
{
    return IsWindow() ? win32::WrapWindow(::SetFocus(m_impl->hwnd)) : nullptr;
}

CWnd* CWnd::GetFocus()
{
    return win32::WrapWindow(::GetFocus());
}

void CWnd::GetClientRect(RECT* rect) const
{
    if (rect == nullptr)
        return;
    *rect = RECT{};
    if (IsWindow())
        ::GetClientRect(m_impl->hwnd, rect);
}

void CWnd::GetWindowRect(RECT* rect) const
{
    if (rect == nullptr)
        return;
    *rect = RECT{};
    if (IsWindow())
        ::GetWindowRect(m_impl->hwnd, rect);
}

void CWnd::ClientToScreen(POINT* point) const
{
    if (point != nullptr && IsWindow())
        ::ClientToScreen(m_impl->hwnd, point);
}

void CWnd::ClientToScreen(RECT* rect) const
{
    if (rect == nullptr || !IsWindow())
        return;
    ::MapWindowPoints(m_impl->hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::ScreenToClient(POINT* point) const
{
    if (point != nullptr && IsWindow())
        ::ScreenToClient(m_impl->hwnd, point);
}

void CWnd::ScreenToClient(RECT* rect) const
{
    if (rect == nullptr || !IsWindow())
        return;
    ::MapWindowPoints(HWND_DESKTOP, m_impl->hwnd, reinterpret_cast<POINT*>(rect), 2);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT flags)
{
    if (!IsWindow())
        return FALSE;
    const UINT honoured = flags & (SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return ::SetWindowPos(m_impl->hwnd, nullptr, x, y, cx, cy, honoured | SWP_NOZORDER);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL)
{
    if (IsWindow())
        ::MoveWindow(m_impl->hwnd, x, y, width, height, TRUE);
}

void CWnd::Invalidate(BOOL)
{
    if (IsWindow())
        ::RedrawWindow(m_impl->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CWnd::UpdateWindow()
{
    if (IsWindow())
        ::UpdateWindow(m_impl->hwnd);
}

BOOL CWnd::SetIcon(int iconResourceId, BOOL)
{
    if (!IsWindow())
        return FALSE;
    HINSTANCE module = win32::ModuleInstance();
    auto* big = static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(iconResourceId), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0));
    auto* small = static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(iconResourceId), IMAGE_ICON,
                                                  ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    if (big == nullptr && small == nullptr)
        return FALSE;
    // Shared resource icons would leak nothing, but sized loads are owned:
    // the window keeps them until the process ends, as a caption icon does.
    if (big != nullptr)
        ::SendMessageA(m_impl->hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (small != nullptr)
        ::SendMessageA(m_impl->hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    return TRUE;
}

CDC* CWnd::GetDC()
{
    if (!IsWindow())
        return nullptr;
    if (!m_impl->dc)
        m_impl->dc = std::make_unique<WindowDC>(m_impl->hwnd);
    return m_impl->dc.get();
}

int CWnd::ReleaseDC(CDC* dc)
{
    if (dc == nullptr || dc != m_impl->dc.get())
        return 0;
    m_impl->dc->Flush();
    m_impl->dc.reset();
    return 1;
}

BOOL CWnd::DestroyWindow()
{
    if (!IsWindow())
        return FALSE;
    HWND hwnd = m_impl->hwnd;
    Detach();
    return ::DestroyWindow(hwnd);
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (m_impl->hwnd != nullptr)
        Detach();
    if (hwnd == nullptr)
        return FALSE;
    m_impl->hwnd = hwnd;
    win32::RegisterWindow(hwnd, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_impl->hwnd;
    m_impl->dc.reset();
    if (hwnd != nullptr)
        win32::UnregisterWindow(hwnd, this);
    m_impl->hwnd = nullptr;
    return hwnd;
}

}  // namespace platform
