#pragma once
// Save Logo to File: a byte-for-byte copy of the slot's effective file.

#include <string>

// Copies sourcePath over targetHostPath (both may be Windows or host paths)
// and makes the copy an ordinary visible file. False when the copy fails:
// a missing or unreadable source, a target that cannot be written, or a
// target that is the source itself under any spelling.
bool SaveLogoToFile(const std::string& sourcePath, const std::string& targetHostPath);
