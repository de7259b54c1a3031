#pragma once
// Copying and deleting host files with the rules of the Windows calls.

#include <string>

namespace platform {

// Byte-for-byte copy through a temporary file beside the target, renamed
// into place when complete; the copy carries the source's read-only, hidden
// and system attributes. Refuses a missing source, a folder on either side,
// a target that is the source itself (same file, whatever the path), an
// existing target when failIfExists is set, and a read-only target.
bool CopyHostFile(const std::string& source, const std::string& target, bool failIfExists);

// Refuses folders, read-only files and missing files.
bool DeleteHostFile(const std::string& hostPath);

}  // namespace platform
