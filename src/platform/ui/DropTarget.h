#pragma once
// Files dropped onto a window from a file manager. The window accepts drags
// that carry local files and, once one is dropped, hands its host path to
// the handler after the drop has finished (so the handler may open a modal
// dialog without keeping the file manager's drag waiting).

#include "platform/ui/CWnd.h"

#include <functional>
#include <string>

namespace platform {

using FileDropHandler = std::function<void(const std::string& hostPath)>;

// For as long as the window exists; false when it does not exist. A drop of
// several files hands over the first.
bool AcceptFileDrops(CWnd& window, FileDropHandler handler);

}  // namespace platform
