#pragma once
// New Logo: starts the external logo editor on the template New.tpl of the
// system directory, without waiting for it.

#include "platform/WinTypes.h"
#include "slots/SystemLocations.h"

#include <string>

// Reports a missing template or an editor that cannot start in a message
// box owned by owner. The template is made read-only each time, so the
// editor cannot save over it.
void StartNewLogo(HWND owner, const SystemLocations& locations, const std::string& editorPath);
