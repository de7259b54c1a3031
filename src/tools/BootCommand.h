#pragma once
// lumva-logo boot: the boot options in MSDOS.SYS that decide whether and
// where Windows shows the start-up logo, and Logo= turned on or off.

#include <iosfwd>
#include <string>
#include <vector>

namespace tools {

// Prints the file's attributes, the options WinDir, WinBootDir,
// HostWinBootDrv, BootGUI and Logo, and the "boot:" line of lumva-logo
// slots. --logo changes Logo= first and says "PATH: Logo=V written" (or
// "... already says so"). Exit status: 0 done, 1 no Windows boot options to
// change (missing, unreadable, the MS-DOS kernel) or the file could not be
// replaced (it is left as it was), 2 bad usage.
int RunBootCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
