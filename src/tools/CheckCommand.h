#pragma once
// lumva-logo check: the logo check, one line per finding.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

inline constexpr std::string_view kCheckUsage = "       lumva-logo check FILE...\n";

// Prints "FILE: CODE: text" per finding; 1 when any finding would keep
// Windows from showing or animating a logo as intended, 2 without FILE.
int RunCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
