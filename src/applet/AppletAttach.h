#pragma once
// What the module does when the loader attaches and detaches it, apart from
// the ELF plumbing: framework start-up and InitInstance, and the symmetric
// tear-down. Kept apart from the entry so it can be exercised with any
// application object.

#include <string>

namespace platform {
class CWinApp;
}

// Initialises the framework for the module file (which names the
// application) and runs InitInstance. A failing InitInstance runs
// ExitInstance; on any failure the framework is torn down again and the
// result is false: the module refuses to load.
bool AttachApplet(platform::CWinApp& app, const std::string& moduleFileName);

// ExitInstance, then the framework's tear-down.
void DetachApplet(platform::CWinApp& app);
