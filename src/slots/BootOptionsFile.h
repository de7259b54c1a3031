#pragma once
// The installation's MSDOS.SYS, read and changed through the Windows file
// calls, so on a folder drive, inside a disk image and in a Wine prefix
// alike.

#include "platform/WinTypes.h"
#include "platform/files/BootOptions.h"
#include "slots/SystemLocations.h"

#include <optional>
#include <string>

struct BootOptionsFile {
    enum class State { Missing, Unreadable, Read };

    std::string path;  // the Windows path looked at, e.g. C:\MSDOS.SYS
    State state = State::Missing;
    std::string problem;  // why it could not be read
    std::optional<platform::BootOptions> options;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
};

// MSDOS.SYS in the boot root; when that has none and the boot root is not
// C:\, the one in C:\ (Windows boots from C: wherever its folder is).
BootOptionsFile ReadBootOptionsFile(const SystemLocations& locations);

enum class BootLogoChange {
    Changed,    // the file now says so
    ChangedAttributesLost,  // it does, but its attributes could not be put back
    Unchanged,  // it already did; nothing was written
    Refused,    // no Windows boot options to change (missing, unreadable, the DOS kernel)
    Failed,     // the file could not be replaced; it is as it was
};

// Turns the start-up logo on or off in the file just read (Logo= in
// [Options], every other byte kept). The new file replaces the old one
// whole, and its attributes (hidden, system, read-only) are put back.
BootLogoChange SetBootLogo(const BootOptionsFile& file, bool on);
