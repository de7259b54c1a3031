#pragma once
// A dialog template as a DIALOGEX statement of the resource script.

#include "platform/ui/DialogTemplate.h"

#include <string>

namespace res::rc {

// Styles come out exactly as DialogTemplateRules gives them: where windres
// would add a bit of its own (WS_CAPTION for a caption, WS_VISIBLE for a
// control), the statement takes it away again with NOT. Throws
// std::invalid_argument for text that code page 1252 cannot carry.
std::string DialogexStatement(const platform::DialogTemplate& dialog);

}  // namespace res::rc
