#pragma once
// Removing what an interrupted atomic replacement left behind.

#include <string>

namespace platform {

// Unlinks every temporary file of AtomicReplace's pattern in folder that no
// live writer holds locked. Errors are ignored: a leftover that cannot be
// removed now is tried again at the next write.
void RemoveStaleTemporaries(const std::string& folder);

}  // namespace platform
