#pragma once
// The system side of CMenu: the items a CMenu holds become a real pop-up
// menu (CreatePopupMenu, AppendMenuA) each time it is tracked.

#include "platform/ui/CMenu.h"

#include <vector>

namespace platform::win32 {

// A pop-up menu with the items in order: strings with their "&" mnemonics
// and "\t" shortcut columns, grayed items, separators. nullptr when the
// system has no menu to give; the caller destroys it with DestroyMenu.
HMENU BuildPopupMenu(const std::vector<MenuItem>& items);

}  // namespace platform::win32
