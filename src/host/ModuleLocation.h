#pragma once
// Where the host finds lumva.cpl when no MODULE is given.

#include <string>

namespace host {

// lumva.cpl beside the lumivane executable (the build tree), else
// ../lib/lumivane/lumva.cpl from it (an installed tree). When neither
// exists, the first, so the loader's error names a sensible place.
std::string DefaultModulePath();

}  // namespace host
