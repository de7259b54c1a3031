#pragma once
// A function of a system DLL looked up at run time, for calls the module
// must not import by name (missing, or there only to fail, on some Windows versions).

#include <windows.h>

namespace platform::win32 {

template <typename Function> Function SystemFunction(const char* dll, const char* name)
{
    HMODULE module = ::GetModuleHandleA(dll);
    if (module == nullptr)
        module = ::LoadLibraryA(dll);
    return module != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)))
                             : nullptr;
}

}  // namespace platform::win32
