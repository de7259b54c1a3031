#pragma once
// The folder a host path lies in, and creating a host folder together with
// the missing folders above it.

#include <string>
#include <sys/types.h>

namespace platform {

// "." for a bare name, "/" for a name at the root.
std::string HostFolderOf(const std::string& hostPath);

// True when the folder exists afterwards; new folders get the given mode.
bool MakeFolders(const std::string& hostFolder, mode_t mode);

}  // namespace platform
