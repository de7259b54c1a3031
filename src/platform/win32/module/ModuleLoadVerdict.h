#pragma once
// The attach's outcome, kept from the static constructors (which run first)
// for DllMain to hand to the loader.

namespace platform::win32 {

void SetModuleLoadAccepted(bool accepted);
// True until an attach reports failure: a module without an applet
// attachment (a test program's DLL) loads as any DLL does.
bool ModuleLoadAccepted();

}  // namespace platform::win32
