#pragma once
// The user's not yet applied choice for each slot, indexed by SlotIndex:
// empty (nothing chosen), a full path, or, for StartUp only, the marker
// "Default". A plain value the main dialog owns.

#include "slots/LogoSlot.h"

#include <array>
#include <string>

using PendingSources = std::array<std::string, kLogoSlotCount>;

inline std::string& PendingFor(PendingSources& pending, LogoSlot slot)
{
    return pending[SlotIndex(slot)];
}

inline const std::string& PendingFor(const PendingSources& pending, LogoSlot slot)
{
    return pending[SlotIndex(slot)];
}
