#pragma once
// The slots as lumva-logo names them on its command line.

#include "slots/LogoSlot.h"

#include <optional>
#include <string_view>

namespace tools {

inline constexpr std::string_view kSlotNames[] = {"startup", "preshutdown", "shutdown"};

inline std::string_view SlotName(LogoSlot slot)
{
    return kSlotNames[SlotIndex(slot)];
}

inline std::optional<LogoSlot> SlotNamed(std::string_view name)
{
    for (LogoSlot slot : kAllLogoSlots) {
        if (SlotName(slot) == name)
            return slot;
    }
    return std::nullopt;
}

}  // namespace tools
