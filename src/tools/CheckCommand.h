#pragma once
// lumva-logo check: the logo check, one line per finding.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

inline constexpr std::string_view kCheckUsage =
    "       lumva-logo check FILE...\n"
    "       lumva-logo check [LOCATION...] --slot SLOT\n";

// Prints "FILE: CODE: text" per finding; 1 when any finding would keep
// Windows from showing or animating a logo as intended, 2 without FILE.
// With --slot: the slot's system file on the installation LOCATION names,
// and for startup also what MSDOS.SYS makes of the logo at boot (the boot-*
// findings).
int RunCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
