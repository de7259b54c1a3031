#pragma once
// The logo check: what in a file would keep Windows from showing or animating
// it as intended, and what merely wastes colour-table entries.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace logo {

enum class FindingWeight {
    Problem,  // Windows would not show or animate the logo as intended
    Advice,   // the logo works, but something could be better
};

struct Finding {
    std::string code;  // short stable identifier, e.g. "layout-file-size"
    std::string text;  // what is wrong and what the user can do, one line
    FindingWeight weight = FindingWeight::Problem;
};

// Findings in a fixed order; an empty list means a clean logo.
std::vector<Finding> CheckLogoBytes(std::span<const std::uint8_t> file);

// Reads the file (a file that cannot be read is one "unreadable" finding).
std::vector<Finding> CheckLogoFile(const std::string& path);

bool HasProblem(const std::vector<Finding>& findings);

}  // namespace logo
