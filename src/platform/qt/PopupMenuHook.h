#pragma once
// The seam through which tests play the user at a pop-up menu: while a
// chooser is set, TrackPopupMenu asks it instead of showing the menu.

#include "platform/ui/CMenu.h"

#include <functional>
#include <vector>

namespace platform::detail {

// Returns the chosen command id, 0 for none (as if the menu were dismissed).
using PopupMenuChooser = std::function<UINT_PTR(const std::vector<MenuItem>& items)>;

// Returns the chooser set before; an empty function shows real menus again.
PopupMenuChooser SetPopupMenuChooser(PopupMenuChooser chooser);

}  // namespace platform::detail
