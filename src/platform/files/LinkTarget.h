#pragma once
// Where a write through a host path really lands.

#include <string>

namespace platform {

// The path with its final symbolic links followed, also a link whose file
// does not exist yet (writing creates that file). Relative links are read
// from the link's own folder. A path that is no link comes back unchanged;
// a loop of links gives the path itself, whose write then fails or replaces
// the link as the caller's checks decide.
std::string FollowLinks(std::string hostPath);

}  // namespace platform
