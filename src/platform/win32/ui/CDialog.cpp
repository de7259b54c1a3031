#include "platform/WinTypes.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWinApp.h"
#include "platform/win32/module/ModuleInstance.h"
#include "platform/win32/ui/Accelerators.h"
#include "platform/win32/ui/DialogTemplateBuilder.h"
#include "platform/win32/ui/WindowDC.h"
#include "platform/win32/ui/WindowRegistry.h"

#include <commctrl.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace platform {

namespace detail {

// The live side of a dialog: its window, tooltip control and timers.
class DialogWindow {
public:
    explicit DialogWindow(CDialog* owner) : dialog(owner) {}

    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void EnableToolTips(bool enable);
    bool AnswerToolTip(NMHDR* header);

    CDialog* dialog;
    HWND hwnd = nullptr;
    HWND tooltip = nullptr;
    bool modal = false;
    std::set<UINT_PTR> timers;
    std::string tipText;
    std::vector<WCHAR> tipWide;
};

}  // namespace detail

namespace {

using detail::DialogWindow;

std::map<const CDialog*, std::unique_ptr<DialogWindow>>& Windows()
{
    static std::map<const CDialog*, std::unique_ptr<DialogWindow>> windows;
    return windows;
}

DialogWindow* StateOf(HWND hwnd)
{
    return reinterpret_cast<DialogWindow*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
}

// Keyboard handling for modeless dialogs: the host's message loop knows
// nothing of them, so keys are offered to their accelerators and the
// dialog manager from a message hook.
HHOOK g_keyHook = nullptr;
int g_modelessCount = 0;

bool OwnedByModeless(HWND hwnd, HWND& dialogHwnd)
{
    if (hwnd == nullptr)
        return false;
    HWND top = win32::TopLevelOf(hwnd);
    for (const auto& [dialog, window] : Windows()) {
        if (!window->modal && window->hwnd == top) {
            dialogHwnd = top;
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK KeyHook(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    HWND dialogHwnd = nullptr;
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST
        && OwnedByModeless(msg->hwnd, dialogHwnd)) {
        HACCEL table = win32::AcceleratorTableOf(dialogHwnd);
        if ((table != nullptr && ::TranslateAcceleratorA(dialogHwnd, table, msg)) || ::IsDialogMessageA(dialogHwnd, msg)) {
            msg->message = WM_NULL;
            msg->wParam = 0;
            msg->lParam = 0;
        }
    }
    return ::CallNextHookEx(g_keyHook, code, wParam, lParam);
}

void ModelessOpened()
{
    if (g_modelessCount++ == 0)
        g_keyHook = ::SetWindowsHookExA(WH_GETMESSAGE, KeyHook, nullptr, ::GetCurrentThreadId());
}

void ModelessClosed()
{
    if (g_modelessCount > 0 && --g_modelessCount == 0 && g_keyHook != nullptr) {
        ::UnhookWindowsHookEx(g_keyHook);
        g_keyHook = nullptr;
    }
}

CPoint ClientPoint(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

}  // namespace

namespace detail {

void DialogWindow::EnableToolTips(bool enable)
{
    if (!enable) {
        if (tooltip != nullptr)
            ::DestroyWindow(tooltip);
        tooltip = nullptr;
        return;
    }
    if (tooltip != nullptr || hwnd == nullptr)
        return;
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
    if (!::InitCommonControlsEx(&init))
        ::InitCommonControls();
    tooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, win32::ModuleInstance(),
                                nullptr);
    if (tooltip == nullptr)
        return;
    for (HWND child = ::GetWindow(hwnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        TOOLINFOA info{};
        // The size comctl32 4.70 knows, so Windows 98's first edition takes it.
        info.cbSize = TTTOOLINFOA_V1_SIZE;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = hwnd;
        info.uId = reinterpret_cast<UINT_PTR>(child);
        info.lpszText = LPSTR_TEXTCALLBACKA;
        ::SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

bool DialogWindow::AnswerToolTip(NMHDR* header)
{
    if (header == nullptr || (header->code != TTN_NEEDTEXTA && header->code != TTN_NEEDTEXTW))
        return false;
    const bool wide = header->code == TTN_NEEDTEXTW;
    UINT flags = wide ? reinterpret_cast<NMTTDISPINFOW*>(header)->uFlags
                      : reinterpret_cast<NMTTDISPINFOA*>(header)->uFlags;
    const int controlId = (flags & TTF_IDISHWND) != 0 ? ::GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom))
                                                      : static_cast<int>(header->idFrom);
    const UINT stringId = dialog->ResolveToolTip(controlId);
    tipText.clear();
    if (stringId != 0) {
        char buffer[1024] = {};
        const int length = ::LoadStringA(win32::ModuleInstance(), stringId, buffer, sizeof buffer);
        if (length > 0)
            tipText.assign(buffer, static_cast<size_t>(length));
    }
    if (wide) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        const int length = ::MultiByteToWideChar(CP_ACP, 0, tipText.c_str(), -1, nullptr, 0);
        tipWide.assign(static_cast<size_t>(length > 0 ? length : 1), 0);
        if (length > 0)
            ::MultiByteToWideChar(CP_ACP, 0, tipText.c_str(), -1, tipWide.data(), length);
        info->hinst = nullptr;
        info->lpszText = tipWide.data();
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        info->hinst = nullptr;
        info->lpszText = tipText.data();
    }
    return true;
}

INT_PTR CALLBACK DialogWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* state = reinterpret_cast<DialogWindow*>(lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        state->hwnd = hwnd;
        state->dialog->Attach(hwnd);
        state->dialog->RunInitDialog();
        // The focus is placed already (or deliberately left alone).
        return FALSE;
    }
    DialogWindow* state = StateOf(hwnd);
    if (state == nullptr)
        return FALSE;
    CDialog* dialog = state->dialog;
    MessageEvent event;
    event.message = message;
    auto answer = [hwnd](LRESULT value) {
        ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, value);
        return TRUE;
    };
    switch (message) {
    case WM_COMMAND:
        event.controlId = LOWORD(wParam);
        event.code = HIWORD(wParam);
        dialog->Route(event);
        return TRUE;
    case WM_TIMER:
        event.timerId = wParam;
        dialog->Route(event);
        return TRUE;
    case WM_PAINT:
        // Every CPaintDC the handler makes draws into this paint's buffer,
        // which then goes onto the window in one copy.
        win32::PaintWindow(hwnd, [&] { dialog->Route(event); });
        return TRUE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
        event.keyFlags = static_cast<UINT>(wParam);
        event.point = ClientPoint(lParam);
        dialog->Route(event);
        return FALSE;
    case WM_SETCURSOR:
        event.window = win32::WrapWindow(reinterpret_cast<HWND>(wParam));
        event.hitTest = LOWORD(lParam);
        event.mouseMessage = HIWORD(lParam);
        if (dialog->Route(event) != 0)
            return answer(TRUE);
        return FALSE;
    case WM_ACTIVATE:
        event.state = LOWORD(wParam);
        event.minimized = HIWORD(wParam) != 0 ? TRUE : FALSE;
        event.window = win32::WrapWindow(reinterpret_cast<HWND>(lParam));
        dialog->Route(event);
        return FALSE;
    case WM_CONTEXTMENU:
        event.window = win32::WrapWindow(reinterpret_cast<HWND>(wParam));
        event.point = ClientPoint(lParam);
        dialog->Route(event);
        return TRUE;
    case WM_NOTIFY:
        if (state->AnswerToolTip(reinterpret_cast<NMHDR*>(lParam)))
            return answer(0);
        return FALSE;
    case WM_DESTROY:
        dialog->Route(event);
        for (UINT_PTR id : state->timers)
            ::KillTimer(hwnd, id);
        state->timers.clear();
        state->EnableToolTips(false);
        win32::ReleaseChildren(hwnd);
        return FALSE;
    case WM_NCDESTROY: {
        ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        dialog->Detach();
        if (!state->modal)
            ModelessClosed();
        Windows().erase(dialog);
        return FALSE;
    }
    default:
        return FALSE;
    }
}

}  // namespace detail

CDialog::CDialog(const DialogTemplate& dialogTemplate, CWnd* parent) : m_template(dialogTemplate), m_parent(parent) {}

CDialog::~CDialog()
{
    m_inDestructor = true;
    if (Window() != nullptr)
        DestroyWindowNow();
}

detail::DialogWindow* CDialog::Window() const
{
    auto it = Windows().find(this);
    return it != Windows().end() ? it->second.get() : nullptr;
}

bool CDialog::CreateWindowFor(HWND owner, bool modal)
{
    if (Window() != nullptr)
        return false;
    auto state = std::make_unique<DialogWindow>(this);
    state->modal = modal;
    DialogWindow* raw = state.get();
    Windows()[this] = std::move(state);
    if (!modal)
        ModelessOpened();
    m_endRequested = false;
    m_result = 0;
    HINSTANCE module = win32::ModuleInstance();
    HWND hwnd = nullptr;
    // The compiled template when the module has one, else the same layout
    // built from the data.
    if (::FindResourceA(module, MAKEINTRESOURCEA(m_template.id), reinterpret_cast<LPCSTR>(RT_DIALOG)) != nullptr) {
        hwnd = ::CreateDialogParamA(module, MAKEINTRESOURCEA(m_template.id), owner, &DialogWindow::Proc,
                                    reinterpret_cast<LPARAM>(raw));
    } else {
        const std::vector<WORD> data = win32::BuildDialogTemplate(m_template);
        hwnd = ::CreateDialogIndirectParamA(module, reinterpret_cast<LPCDLGTEMPLATEA>(data.data()), owner,
                                            &DialogWindow::Proc, reinterpret_cast<LPARAM>(raw));
    }
    if (hwnd == nullptr) {
        // Either creation failed before WM_INITDIALOG or the window is gone.
        if (Window() == raw) {
            Windows().erase(this);
            if (!modal)
                ModelessClosed();
        }
        Detach();
        return false;
    }
    return true;
}

void CDialog::RunInitDialog()
{
    const BOOL focusFirst = OnInitDialog();
    DialogWindow* window = Window();
    if (focusFirst && window != nullptr && !m_endRequested) {
        if (HWND first = ::GetNextDlgTabItem(window->hwnd, nullptr, FALSE))
            ::SendMessageA(window->hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    }
}

void CDialog::DestroyWindowNow()
{
    if (DialogWindow* window = Window()) {
        if (window->hwnd != nullptr && ::IsWindow(window->hwnd))
            ::DestroyWindow(window->hwnd);
        else
            Windows().erase(this);
    }
}

int CDialog::DoModal()
{
    if (AfxGetApp() == nullptr || Window() != nullptr)
        return -1;
    HWND owner = m_parent != nullptr ? m_parent->GetSafeHwnd() : ::GetActiveWindow();
    if (owner != nullptr)
        owner = win32::TopLevelOf(owner);
    if (!CreateWindowFor(owner, true))
        return -1;
    const bool disableOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    DialogWindow* window = Window();
    HWND hwnd = window != nullptr ? window->hwnd : nullptr;
    if (hwnd != nullptr && !m_endRequested)
        ::ShowWindow(hwnd, SW_SHOWNORMAL);
    // The loop is ours, not DialogBox's, so the dialog's accelerators are
    // translated before the dialog manager takes the keys.
    while (!m_endRequested && hwnd != nullptr && ::IsWindow(hwnd)) {
        MSG msg{};
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0)
            break;
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
            HACCEL table = win32::AcceleratorTableOf(hwnd);
            if (table != nullptr && ::TranslateAcceleratorA(hwnd, table, &msg))
                continue;
        }
        if (::IsDialogMessageA(hwnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    // The owner comes back before the dialog goes, so activation returns to it.
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (hwnd != nullptr && ::IsWindow(hwnd))
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DestroyWindowNow();
    return m_result;
}

BOOL CDialog::Create(CWnd* owner)
{
    CWnd* ownerWindow = owner != nullptr ? owner : m_parent;
    HWND ownerHwnd = ownerWindow != nullptr ? ownerWindow->GetSafeHwnd() : nullptr;
    return CreateWindowFor(ownerHwnd, false) ? TRUE : FALSE;
}

BOOL CDialog::DestroyWindow()
{
    if (Window() == nullptr)
        return FALSE;
    DestroyWindowNow();
    return TRUE;
}

void CDialog::EndDialog(int result)
{
    DialogWindow* window = Window();
    if (window == nullptr)
        return;
    m_result = result;
    if (window->modal) {
        m_endRequested = true;
        // Wakes the loop should it be waiting.
        ::PostMessageA(window->hwnd, WM_NULL, 0, 0);
    } else if (window->hwnd != nullptr) {
        ::ShowWindow(window->hwnd, SW_HIDE);
    }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    if (Window() == nullptr)
        return FALSE;
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

void CDialog::EnableToolTips(BOOL enable)
{
    if (DialogWindow* window = Window())
        window->EnableToolTips(enable != FALSE);
}

UINT_PTR CDialog::SetTimer(UINT_PTR id, UINT elapseMs)
{
    DialogWindow* window = Window();
    if (window == nullptr || window->hwnd == nullptr)
        return 0;
    const UINT_PTR result = ::SetTimer(window->hwnd, id, elapseMs, nullptr);
    if (result != 0)
        window->timers.insert(id);
    return result;
}

BOOL CDialog::KillTimer(UINT_PTR id)
{
    DialogWindow* window = Window();
    if (window == nullptr || window->hwnd == nullptr || window->timers.erase(id) == 0)
        return FALSE;
    return ::KillTimer(window->hwnd, id);
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    DialogWindow* window = Window();
    if (window == nullptr || control == nullptr || control->GetSafeHwnd() == nullptr)
        return;
    ::SendMessageA(window->hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->GetSafeHwnd()), TRUE);
}

void CDialog::OnDestroy()
{
    if (DialogWindow* window = Window())
        window->EnableToolTips(false);
}

}  // namespace platform
