#include "platform/WinTypes.h"
#include "platform/ui/CMenu.h"

#include "platform/ui/CWnd.h"
#include "platform/win32/ui/PopupMenu.h"
#include "platform/win32/ui/PopupMenuHook.h"
#include "platform/win32/ui/WindowRegistry.h"

#include <utility>

namespace platform {

namespace {

detail::PopupMenuChooser& Chooser()
{
    static detail::PopupMenuChooser chooser;
    return chooser;
}

bool Choosable(const std::vector<MenuItem>& items, UINT_PTR id)
{
    for (const MenuItem& item : items) {
        if (item.id == id && (item.flags & (MF_GRAYED | MF_SEPARATOR)) == 0)
            return true;
    }
    return false;
}

// Shows the menu and waits for the user's choice; 0 when the menu was
// dismissed. The owner gets the menu's messages meanwhile.
UINT_PTR ShowMenu(const std::vector<MenuItem>& items, UINT flags, int x, int y, HWND owner)
{
    HMENU menu = win32::BuildPopupMenu(items);
    if (menu == nullptr)
        return 0;
    const UINT trackFlags = (flags & TPM_RIGHTBUTTON) | TPM_RETURNCMD;
    const BOOL chosen = ::TrackPopupMenu(menu, trackFlags, x, y, 0, owner, nullptr);
    ::DestroyMenu(menu);
    return chosen > 0 ? static_cast<UINT_PTR>(chosen) : 0;
}

}  // namespace

namespace win32 {

HMENU BuildPopupMenu(const std::vector<MenuItem>& items)
{
    HMENU menu = ::CreatePopupMenu();
    if (menu == nullptr)
        return nullptr;
    for (const MenuItem& item : items) {
        BOOL added = FALSE;
        if ((item.flags & MF_SEPARATOR) != 0)
            added = ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else
            added = ::AppendMenuA(menu, MF_STRING | (item.flags & MF_GRAYED), item.id, item.text.c_str());
        if (!added) {
            ::DestroyMenu(menu);
            return nullptr;
        }
    }
    return menu;
}

}  // namespace win32

namespace detail {

PopupMenuChooser SetPopupMenuChooser(PopupMenuChooser chooser)
{
    return std::exchange(Chooser(), std::move(chooser));
}

}  // namespace detail

BOOL CMenu::CreatePopupMenu()
{
    if (m_created)
        return FALSE;
    m_created = true;
    m_items.clear();
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const std::string& text)
{
    if (!m_created)
        return FALSE;
    const bool separator = (flags & MF_SEPARATOR) != 0;
    m_items.push_back(MenuItem{flags, separator ? 0 : id, separator ? std::string() : text});
    return TRUE;
}

int CMenu::GetMenuItemCount() const
{
    return m_created ? static_cast<int>(m_items.size()) : -1;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner)
{
    if (!m_created || owner == nullptr || !owner->IsWindow())
        return FALSE;
    // The menu belongs to the owner's top-level window, which gets the command.
    const HWND top = win32::TopLevelOf(owner->GetSafeHwnd());
    UINT_PTR chosen = Chooser() ? Chooser()(m_items) : ShowMenu(m_items, flags, x, y, top);
    if (!Choosable(m_items, chosen))
        chosen = 0;
    if ((flags & TPM_RETURNCMD) != 0)
        return static_cast<BOOL>(chosen);
    // The menu is closed now: the command reaches the message map before
    // this returns, as a menu command (code 0). The owner may have gone
    // while the menu was open.
    if (chosen != 0 && ::IsWindow(top))
        ::SendMessageA(top, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
    return TRUE;
}

}  // namespace platform
