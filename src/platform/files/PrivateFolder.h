#pragma once
// Private working folders of this process ("PREFIX-PID-XXXXXX" in a
// temporary folder), for the raw copies, mtools configurations and scratch
// files of the image drives. Their owner removes them; one left by a process
// that died (a crash, a kill) is removed when the next one is made.

#include <string>
#include <string_view>

namespace platform {

// $XDG_RUNTIME_DIR, else $TMPDIR, else /tmp.
std::string TemporaryRoot();

// A new empty folder of mode 0700 under root, or "" when none can be made.
std::string MakePrivateFolder(const std::string& root, std::string_view prefix);

}  // namespace platform
