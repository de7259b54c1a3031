#pragma once
// A pop-up menu as TrackPopupMenu shows it: items with command ids, the
// chosen one delivered to the owner window as WM_COMMAND (code 0).

#include "platform/WinTypes.h"
#include "platform/ui/UiConstants.h"

#include <string>
#include <vector>

#if defined(_WIN32)
// The system headers spell these as macros; here they are constants of our own.
#undef MF_STRING
#undef MF_GRAYED
#undef MF_SEPARATOR
#undef TPM_LEFTALIGN
#undef TPM_RIGHTBUTTON
#undef TPM_RETURNCMD
#endif

namespace platform {

class CWnd;

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_SEPARATOR = 0x0800;

constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_RETURNCMD = 0x0100;

struct MenuItem {
    UINT flags = MF_STRING;
    UINT_PTR id = 0;
    std::string text;  // "&" marks the mnemonic, "\t" starts the shortcut column
};

class CMenu {
public:
    BOOL CreatePopupMenu();
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const std::string& text = {});
    int GetMenuItemCount() const;
    const std::vector<MenuItem>& Items() const { return m_items; }

    // Shows the menu at a screen point and waits for the user. The chosen
    // item's command goes to owner's message map once the menu has closed;
    // with TPM_RETURNCMD it is returned instead (0: nothing chosen).
    // Grayed items and separators cannot be chosen.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

private:
    bool m_created = false;
    std::vector<MenuItem> m_items;
};

}  // namespace platform
