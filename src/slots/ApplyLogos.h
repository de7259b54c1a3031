#pragma once
// Apply: writes every slot's pending source into the system's logo files.

#include "slots/PendingSources.h"
#include "slots/SystemLocations.h"

#include <string>
#include <vector>

struct ApplyOutcome {
    // The capitalised target paths whose copy or delete failed, in slot
    // order; empty when everything was applied.
    std::vector<std::string> failedTargets;
};

// All three targets are made NORMAL first and HIDDEN last, every time.
// StartUp's "Default" deletes the start-up file (one already gone counts as
// deleted); any other non-empty source is installed over its target. A slot
// that was applied loses its pending source, except StartUp's "Default",
// which stays; a slot that failed keeps it, so the user can try again. The
// whole of it is one batch of file changes (platform::FileChangeBatch): when
// the batch does not reach the disk, every slot that had something to do
// failed.
ApplyOutcome ApplyPendingSources(PendingSources& pending, const SystemLocations& locations);
