#pragma once
// lumva-logo rotate: a different logo at every boot. Picks a logo from a
// gallery folder and applies it as Apply does; run it just before a virtual
// machine starts or at login.

#include <iosfwd>
#include <string>
#include <vector>

namespace tools {

// The last choice is kept in the settings store (section "Rotate", one entry
// per slot, installation and gallery), so --next (the default) walks the
// gallery in name order and --random never picks the previous logo twice in
// a row. Files that are no logo are named once on stderr and skipped.
// Prints "TARGET: FILE". Exit status: 0 applied, 1 the gallery holds no logo
// or the slot file could not be written, 2 bad usage.
int RunRotateCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
