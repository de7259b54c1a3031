#include "platform/WinTypes.h"
#include "platform/ui/CButton.h"

#include "logo/Picture.h"
#include "platform/win32/ui/DibSection.h"
#include "platform/win32/ui/WindowHooks.h"

#include <map>
#include <vector>

namespace platform {

namespace {

// The face bitmaps the framework made, one per button; a button does not
// free its image, so each goes with its button.
std::map<HWND, HBITMAP>& Faces()
{
    static std::map<HWND, HBITMAP> faces;
    return faces;
}

void ForgetFace(HWND hwnd)
{
    const auto it = Faces().find(hwnd);
    if (it == Faces().end())
        return;
    ::DeleteObject(it->second);
    Faces().erase(it);
}

DWORD StyleOf(HWND hwnd)
{
    return static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE));
}

DWORD ButtonType(HWND hwnd)
{
    return StyleOf(hwnd) & BS_TYPEMASK;
}

bool IsButton(HWND hwnd)
{
    char name[16] = {};
    return ::GetClassNameA(hwnd, name, sizeof name) > 0 && lstrcmpiA(name, "Button") == 0;
}

// The siblings in the button's group: from the WS_GROUP control at or before
// it to the control before the next WS_GROUP one, in creation (tab) order.
std::vector<HWND> GroupOf(HWND button)
{
    HWND first = button;
    while ((StyleOf(first) & WS_GROUP) == 0) {
        HWND previous = ::GetWindow(first, GW_HWNDPREV);
        if (previous == nullptr)
            break;
        first = previous;
    }
    std::vector<HWND> group;
    for (HWND member = first; member != nullptr; member = ::GetWindow(member, GW_HWNDNEXT)) {
        if (member != first && (StyleOf(member) & WS_GROUP) != 0)
            break;
        group.push_back(member);
    }
    return group;
}

}  // namespace

void CButton::SetCheck(int check)
{
    if (IsWindow())
        ::SendMessageA(GetSafeHwnd(), BM_SETCHECK, static_cast<WPARAM>(check), 0);
}

int CButton::GetCheck() const
{
    if (!IsWindow())
        return BST_UNCHECKED;
    return static_cast<int>(::SendMessageA(GetSafeHwnd(), BM_GETCHECK, 0, 0));
}

void CButton::SetState(BOOL pushed)
{
    if (IsWindow())
        ::SendMessageA(GetSafeHwnd(), BM_SETSTATE, pushed != FALSE ? TRUE : FALSE, 0);
}

void CButton::SetBitmap(const logo::Picture& picture)
{
    if (!IsWindow())
        return;
    const HWND hwnd = GetSafeHwnd();
    // A picture without usable pixels leaves the button with no face.
    HBITMAP face = win32::CreateDibSection(picture);
    ::SendMessageA(hwnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(face));
    // The face before is no longer shown; a bitmap the framework did not
    // make (the template's) is not the framework's to free.
    ForgetFace(hwnd);
    if (face == nullptr) {
        ::InvalidateRect(hwnd, nullptr, TRUE);
        return;
    }
    Faces()[hwnd] = face;
    if (!win32::HasWindowHook(hwnd, win32::HookSlot::ButtonFace)) {
        win32::SetWindowHook(hwnd, win32::HookSlot::ButtonFace,
                             [](HWND window, UINT message, WPARAM, LPARAM, LRESULT&) {
                                 if (message == WM_NCDESTROY)
                                     ForgetFace(window);
                                 return false;
                             });
    }
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

void CButton::Click()
{
    if (!IsWindow())
        return;
    const HWND hwnd = GetSafeHwnd();
    if (!::IsWindowEnabled(hwnd) || !::IsWindowVisible(hwnd) || !IsButton(hwnd))
        return;
    // What a click does to the button itself, without moving the focus or
    // needing the dialog to be active (as BM_CLICK would).
    switch (ButtonType(hwnd)) {
    case BS_AUTOCHECKBOX:
        SetCheck(GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTO3STATE: {
        const int state = GetCheck();
        SetCheck(state == BST_UNCHECKED ? BST_CHECKED : state == BST_CHECKED ? BST_INDETERMINATE : BST_UNCHECKED);
        break;
    }
    case BS_AUTORADIOBUTTON:
        for (HWND member : GroupOf(hwnd)) {
            if (member != hwnd && IsButton(member) && (StyleOf(member) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                ::SendMessageA(member, BM_SETCHECK, BST_UNCHECKED, 0);
        }
        SetCheck(BST_CHECKED);
        break;
    default:
        break;
    }
    if (HWND parent = ::GetParent(hwnd)) {
        const WPARAM command = MAKEWPARAM(static_cast<WORD>(::GetDlgCtrlID(hwnd)), BN_CLICKED);
        ::SendMessageA(parent, WM_COMMAND, command, reinterpret_cast<LPARAM>(hwnd));
    }
}

}  // namespace platform
