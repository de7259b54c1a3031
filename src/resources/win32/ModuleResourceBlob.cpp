// On Windows the module's resources are its own resource section, compiled
// from lumva.rc, and the system's resource calls read them there: the
// framework is handed no blob of its own.

#include "resources/ModuleResourceBlob.h"

namespace res {

std::span<const std::uint8_t> ModuleResourceBlob()
{
    return {};
}

}  // namespace res
