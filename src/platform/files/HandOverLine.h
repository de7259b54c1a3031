#pragma once
// The text by which one copy of the image-drive code hands an open disk to
// another copy in the same process (the host program's to the applet
// module's): fields joined by tabs. A field holding a tab or a line break
// cannot be handed over; the receiver then opens the disk itself.

#include <string>
#include <vector>

namespace platform {

// Empty when a field cannot be written.
std::string HandOverLine(const std::vector<std::string>& fields);
std::vector<std::string> ReadHandOverLine(const std::string& line);

}  // namespace platform
