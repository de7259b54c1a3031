#include "host/ModuleLocation.h"

#include <filesystem>

namespace host {

namespace {

namespace fs = std::filesystem;

fs::path ExecutableFolder()
{
    std::error_code code;
    const fs::path self = fs::read_symlink("/proc/self/exe", code);
    return code ? fs::current_path(code) : self.parent_path();
}

}  // namespace

std::string DefaultModulePath()
{
    const fs::path folder = ExecutableFolder();
    const fs::path beside = folder / "lumva.cpl";
    const fs::path installed = (folder / ".." / "lib" / "lumivane" / "lumva.cpl").lexically_normal();
    std::error_code code;
    if (!fs::exists(beside, code) && fs::exists(installed, code))
        return installed.string();
    return beside.string();
}

}  // namespace host
