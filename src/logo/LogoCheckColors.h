#pragma once
// The colour part of the logo check: the cycling range and the entries
// outside it, judged as the 6-bit screen shows them.

#include "logo/LogoCheck.h"
#include "logo/Picture.h"

#include <cstdint>
#include <vector>

namespace logo {

// count: the file's animation count (0 for a static logo).
void CheckLogoColors(const LogoImage& picture, std::uint8_t count, std::vector<Finding>& findings);

}  // namespace logo
