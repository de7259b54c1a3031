#pragma once
// Splitting a Windows path ("C:\WINDOWS\logow.sys") into its drive letter and
// its components, the way the system reads it: both slashes separate, empty
// components vanish, "." stays and ".." goes up, but never above the root.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct WindowsPath {
    char drive = 'C';                     // upper case
    std::vector<std::string> components;  // "." and ".." already applied
};

// A host path starts with '/' and is used exactly as given.
bool IsHostPath(std::string_view path);

// Refuses (nullopt) anything that is not "X:" followed by nothing or by a
// separator, a ".." that would leave the drive root, a name of only dots and
// blanks (other than "." and ".."), characters a Windows name cannot hold
// (<>:"|?* and control characters) and embedded NULs.
std::optional<WindowsPath> ParseWindowsPath(std::string_view path);

}  // namespace platform
