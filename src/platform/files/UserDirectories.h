#pragma once
// The per-user folders of the XDG base directory rules.

#include <string>

namespace platform {

// The user's home folder: $HOME, else the password database entry.
std::string HomeFolder();

// $XDG_DATA_HOME, or ~/.local/share when it is unset, empty or relative.
std::string DataHome();

// $XDG_CONFIG_HOME, or ~/.config when it is unset, empty or relative.
std::string ConfigHome();

}  // namespace platform
