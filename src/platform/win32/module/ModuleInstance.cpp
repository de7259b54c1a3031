#include "platform/win32/module/ModuleInstance.h"

namespace platform::win32 {

HINSTANCE ModuleInstance()
{
    // The allocation base of a code page is its module's load address,
    // which is the module handle; Windows 98 has no GetModuleHandleEx.
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(reinterpret_cast<const void*>(&ModuleInstance), &info, sizeof info) == 0)
        return GetModuleHandleA(nullptr);
    return static_cast<HINSTANCE>(info.AllocationBase);
}

std::string ModuleFileName()
{
    char name[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(ModuleInstance(), name, sizeof name);
    if (length == 0 || length >= sizeof name)
        return std::string();
    return std::string(name, length);
}

}  // namespace platform::win32
