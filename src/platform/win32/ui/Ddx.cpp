#include "platform/WinTypes.h"
#include "platform/ui/Ddx.h"

#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWnd.h"

namespace platform {

namespace {

DWORD WindowStyle(HWND hwnd)
{
    return static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE));
}

bool IsAutoRadio(HWND hwnd)
{
    char name[16] = {};
    return ::GetClassNameA(hwnd, name, sizeof name) > 0 && lstrcmpiA(name, "Button") == 0
           && (WindowStyle(hwnd) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

}  // namespace

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (dx == nullptr || dx->Failed())
        return;
    CWnd* item = dx->PrepareCtrl(id);
    if (item != nullptr && control.GetSafeHwnd() != item->GetSafeHwnd())
        control.Attach(item->GetSafeHwnd());
}

void DDX_Radio(CDataExchange* dx, int firstId, int& value)
{
    if (dx == nullptr || dx->Failed())
        return;
    CWnd* first = dx->PrepareCtrl(firstId);
    if (first == nullptr || first->GetSafeHwnd() == nullptr)
        return;
    if (dx->m_bSaveAndValidate)
        value = -1;
    // The group runs from the first button to the next WS_GROUP control, in
    // the dialog's creation (tab) order; only its radio buttons count.
    const HWND start = first->GetSafeHwnd();
    int index = 0;
    for (HWND member = start; member != nullptr; member = ::GetWindow(member, GW_HWNDNEXT)) {
        if (member != start && (WindowStyle(member) & WS_GROUP) != 0)
            break;
        if (!IsAutoRadio(member))
            continue;
        // The button itself, whatever object may stand for it.
        if (dx->m_bSaveAndValidate) {
            if (::SendMessageA(member, BM_GETCHECK, 0, 0) == BST_CHECKED && value == -1)
                value = index;
        } else {
            ::SendMessageA(member, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

}  // namespace platform
