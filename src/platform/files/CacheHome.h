#pragma once
// The user's cache folder of the XDG base directory rules.

#include <string>

namespace platform {

// $XDG_CACHE_HOME, or ~/.cache when it is unset, empty or relative.
std::string CacheHome();

}  // namespace platform
