#pragma once
// The version information as a VERSIONINFO statement of the resource script.

#include "resources/VersionInfo.h"

#include <span>
#include <string>

namespace res::rc {

// The fields under the script's own keywords (FILEVERSION, PRODUCTVERSION,
// FILEOS, FILETYPE) form the fixed part, all others the string block for
// US English in code page 1252. Throws std::invalid_argument for a fixed
// field that is missing or unreadable, or text that code page 1252 lacks.
std::string VersionInfoStatement(int id, std::span<const VersionField> fields);

}  // namespace res::rc
