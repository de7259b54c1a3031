#include "platform/ModuleEntry.h"

#include "platform/win32/module/ModuleInstance.h"
#include "platform/win32/module/ModuleLoadVerdict.h"

namespace platform {

std::string ThisModuleFileName()
{
    return win32::ModuleFileName();
}

void ReportModuleAttach(bool attached)
{
    win32::SetModuleLoadAccepted(attached);
}

}  // namespace platform
