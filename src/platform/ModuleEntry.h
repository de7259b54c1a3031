#pragma once
// The module's side of being loaded: how its one entry is declared on each
// system, the file it was loaded from, and the attach's outcome for loaders
// that let a module refuse to load.

#include "platform/WinTypes.h"

#include <string>

#if defined(_WIN32)
// Exported by name through the module's .def file, stdcall as the Control
// Panel calls it.
#define LUMIVANE_CPL_ENTRY extern "C" LONG APIENTRY
#else
#define LUMIVANE_CPL_ENTRY extern "C" __attribute__((visibility("default"))) LONG
#endif

namespace platform {

// The file of the module this code is linked into; "" when it cannot be told.
std::string ThisModuleFileName();

// Whether the attach succeeded. Windows' loader asks at DLL_PROCESS_ATTACH and
// unloads a module that refuses; the ELF loader cannot be refused, so there
// the entry answers CPL_INIT with 0 instead.
void ReportModuleAttach(bool attached);

}  // namespace platform
