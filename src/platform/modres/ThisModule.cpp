#include "platform/ModuleEntry.h"

#include <dlfcn.h>

namespace platform {

std::string ThisModuleFileName()
{
    // Any address inside the module names it; with hidden visibility this
    // function is the module's own copy, not the host's.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ThisModuleFileName), &info) != 0 && info.dli_fname != nullptr)
        return info.dli_fname;
    return std::string();
}

void ReportModuleAttach(bool /*attached*/)
{
    // dlopen has already succeeded by the time static constructors run; the
    // refusal is the entry's answer to CPL_INIT.
}

}  // namespace platform
