#pragma once
// The three pictures the system shows: while starting, while preparing to
// shut down, and at the end of shutting down. The value doubles as the main
// dialog's slot index (the position of the slot's button in its group).

#include <array>
#include <cstddef>
#include <optional>

enum class LogoSlot { StartUp = 0, PreShutDown = 1, ShutDown = 2 };

inline constexpr std::size_t kLogoSlotCount = 3;

// In button order, for range-for over every slot.
inline constexpr std::array<LogoSlot, kLogoSlotCount> kAllLogoSlots{LogoSlot::StartUp, LogoSlot::PreShutDown,
                                                                    LogoSlot::ShutDown};

constexpr std::size_t SlotIndex(LogoSlot slot)
{
    return static_cast<std::size_t>(slot);
}

// The dialog keeps a signed index (-1 while no slot is selected); anything
// outside 0..2 names no slot.
constexpr std::optional<LogoSlot> SlotFromIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(kLogoSlotCount))
        return std::nullopt;
    return static_cast<LogoSlot>(index);
}
