#pragma once
// The seam through which tests play the user at a pop-up menu: while a
// chooser is set, TrackPopupMenu asks it instead of showing the menu. The
// same declaration as the Qt back end's (platform/qt/PopupMenuHook.h), so
// the test hooks over it read alike.

#include "platform/ui/CMenu.h"

#include <functional>
#include <vector>

namespace platform::detail {

// While a chooser is set, TrackPopupMenu asks it instead of showing the
// menu. It returns the chosen command id, 0 for none (as if the menu were
// dismissed); what it returns for a grayed item or a separator counts as 0.
using PopupMenuChooser = std::function<UINT_PTR(const std::vector<MenuItem>& items)>;

// Returns the chooser set before; an empty function shows real menus again.
PopupMenuChooser SetPopupMenuChooser(PopupMenuChooser chooser);

}  // namespace platform::detail
