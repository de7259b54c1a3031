#pragma once
// Choosing a shortcut means choosing the program it points to, as the
// system's file dialog dereferences links.

#include <string>

// For a chosen path ending in ".lnk" (any case): the host path of the
// program the shortcut points to, its Windows path mapped through the drive
// table, or its relative path taken from the shortcut's folder. Any other
// path, and a shortcut that cannot be read or resolved, comes back as chosen.
std::string ProgramBehindShortcut(const std::string& chosenPath);
