#pragma once
// Whether another program has a disk image in use, so writing into it now
// could corrupt what that program caches: a QEMU holding it takes byte-range
// locks (open file description locks); VirtualBox, 86Box and others simply
// keep it open, which shows in /proc/PID/fd of the user's processes.

#include <string>

namespace platform {

// True when a byte-range lock of another open file is on hostPath, or
// another open file of it exists: in any process where the kernel answers
// (a lease), else in a process of this user other than this one and the
// daemons behind its views. The daemon behind a view of the image counts
// where the kernel answers: ask while it is stopped.
bool IsImageInUseElsewhere(const std::string& hostPath);

}  // namespace platform
