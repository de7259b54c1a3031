#include "platform/files/CacheHome.h"

#include "platform/files/UserDirectories.h"

#include <cstdlib>

namespace platform {

std::string CacheHome()
{
    const char* value = std::getenv("XDG_CACHE_HOME");
    if (value != nullptr && value[0] == '/')
        return value;
    return HomeFolder() + "/.cache";
}

}  // namespace platform
