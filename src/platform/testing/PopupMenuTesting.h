#pragma once
// Tests play the user at pop-up menus: while a ScopedMenuChoice lives,
// every TrackPopupMenu is answered by it instead of showing a menu, and the
// items of every menu asked are kept.

#include "platform/ui/CMenu.h"
#include "platform/ui/CWnd.h"

#include <functional>
#include <vector>

namespace platform::testing {

class ScopedMenuChoice {
public:
    // Each menu is answered with the id chooser gives (0: dismissed).
    explicit ScopedMenuChoice(std::function<UINT_PTR(const std::vector<MenuItem>&)> chooser);
    // Each menu is answered with id.
    explicit ScopedMenuChoice(UINT_PTR id);
    ~ScopedMenuChoice();
    ScopedMenuChoice(const ScopedMenuChoice&) = delete;
    ScopedMenuChoice& operator=(const ScopedMenuChoice&) = delete;

    // The items of each menu asked so far, oldest first.
    const std::vector<std::vector<MenuItem>>& MenusShown() const { return m_shown; }

private:
    std::vector<std::vector<MenuItem>> m_shown;
};

// The context-menu click of the right button at a point of the window's
// client area, delivered where the window system delivers it: to the
// control under the point that takes mouse input, else to the window.
void RightClickForMenu(CWnd& window, POINT clientPoint);

}  // namespace platform::testing
