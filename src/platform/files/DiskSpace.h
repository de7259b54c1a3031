#pragma once
// How much of a disk a host file takes, and how much a folder's file system
// has free, for the checks before an image is copied or a view committed.

#include <cstdint>
#include <string>

namespace platform {

// The bytes the file's blocks take (0 when it cannot be asked).
std::uint64_t AllocatedBytes(const std::string& hostPath);
// The bytes an unprivileged user may still write there (0 when unknown).
std::uint64_t FreeBytes(const std::string& hostFolder);

}  // namespace platform
