#pragma once
// Creating a host folder together with the missing folders above it.

#include <string>
#include <sys/types.h>

namespace platform {

// True when the folder exists afterwards; new folders get the given mode.
bool MakeFolders(const std::string& hostFolder, mode_t mode);

}  // namespace platform
