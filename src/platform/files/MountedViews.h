#pragma once
// FUSE views (a regular file that qemu-storage-daemon mounts a disk image
// on) as the mount table shows them, and unmounting one whose daemon is
// gone.

#include <string>
#include <vector>

namespace platform {

// Mount points at or below folder, from /proc/self/mountinfo.
std::vector<std::string> MountPointsUnder(const std::string& folder);

// Whether something is mounted on path (its device differs from its
// folder's).
bool IsMountedOn(const std::string& path);

// Detaches the mount at once (lazily: a program still reading it keeps its
// file until it lets go): umount2 where we may, else fusermount3 -u -z.
bool Unmount(const std::string& mountPoint);

}  // namespace platform
