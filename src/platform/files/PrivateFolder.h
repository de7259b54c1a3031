#pragma once
// Private working folders of this process ("lumivane-KIND-PID-XXXXXX" in a
// temporary folder), for the views, raw copies, mtools configurations and
// scratch files of the image drives. Their owner removes them. Whenever one
// is made, what dead processes left in both temporary folders goes: their
// folders of every kind, with a view still mounted in one unmounted and a
// daemon still serving it ended.

#include <string>
#include <string_view>

namespace platform {

// $XDG_RUNTIME_DIR, else $TMPDIR, else /tmp.
std::string TemporaryRoot();

// Where a large temporary file belongs: $TMPDIR, else /var/tmp (on disk,
// where /tmp may be a small tmpfs).
std::string LargeTemporaryRoot();

// A new empty folder of mode 0700 under root, or "" when none can be made.
// kind: "lumivane-view", "lumivane-mtools", ...
std::string MakePrivateFolder(const std::string& root, std::string_view kind);

// Whether folder is one this process made under root for kind.
bool IsOwnPrivateFolder(const std::string& folder, const std::string& root, std::string_view kind);

// Removes what dead processes left (as MakePrivateFolder does).
void RemoveLeftoversOfDeadRuns();

}  // namespace platform
