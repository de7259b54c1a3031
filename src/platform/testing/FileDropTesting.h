#pragma once
// Tests drop files onto a window as a file manager would: the full drag
// enter and drop sequence, then the handler's run.

#include "platform/ui/CWnd.h"

#include <string>

namespace platform::testing {

// True when the window accepted the drag of that file (the handler has run
// when this returns).
bool DropFile(CWnd& window, const std::string& hostPath);

}  // namespace platform::testing
