#pragma once
// lumva-logo: the command-line face of the logo core, for preparing logos in
// batches and for checking the core from outside.

#include <iosfwd>
#include <string>
#include <vector>

namespace tools {

// Exit status: 0 done, 1 a file could not be read or written or an operation
// refused, 2 bad usage (usage message on err).
int RunLogoCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
