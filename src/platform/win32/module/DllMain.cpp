// The loader's notifications. The runtime runs the static constructors, and
// with them the applet's attach, before DLL_PROCESS_ATTACH reaches this
// function, and the destructors, with the detach, after DLL_PROCESS_DETACH;
// so here the attach's outcome becomes the loader's answer.

#include "platform/win32/module/ModuleLoadVerdict.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH) {
        // The applet keeps no per-thread state.
        ::DisableThreadLibraryCalls(instance);
        return platform::win32::ModuleLoadAccepted() ? TRUE : FALSE;
    }
    return TRUE;
}
