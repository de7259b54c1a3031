#pragma once
// The module these functions are linked into (lumva.cpl, or a test program),
// as the handle its resources are loaded from.

#include "platform/WinTypes.h"

#include <string>

namespace platform::win32 {

// The module holding this code: the DLL when linked into one, else the
// program. Found from a code address, so it needs no DllMain of its own.
HINSTANCE ModuleInstance();

// That module's file name ("C:\WINDOWS\SYSTEM\lumva.cpl"); empty on failure.
std::string ModuleFileName();

}  // namespace platform::win32
