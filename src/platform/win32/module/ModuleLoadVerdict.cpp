#include "platform/win32/module/ModuleLoadVerdict.h"

namespace platform::win32 {

namespace {
bool g_accepted = true;
}

void SetModuleLoadAccepted(bool accepted)
{
    g_accepted = accepted;
}

bool ModuleLoadAccepted()
{
    return g_accepted;
}

}  // namespace platform::win32
