#pragma once
// Starting a program that runs on its own: no shell, stdin from /dev/null,
// its own process group, default signal handling, none of our descriptors.

#include <string>
#include <vector>

namespace platform {

// Starts program (a host path, used as argv[0]) with the given arguments and
// returns 0 once it runs, or the errno of the failure to start it (ENOENT,
// EACCES, ENOEXEC, ...), known before this returns. The program is started
// through a short-lived intermediate process that is reaped here, so it
// belongs to no one in this process and never lingers as a zombie.
int SpawnDetached(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace platform
