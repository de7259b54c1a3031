#pragma once
// Which string answers a tooltip request for which control, per dialog.
// Controls not listed get no tooltip.

#include "platform/WinTypes.h"

#include <optional>
#include <span>

namespace res {

struct TooltipEntry {
    int controlId;
    UINT stringId;
};

std::span<const TooltipEntry> MainDialogTooltips();
std::span<const TooltipEntry> AnimDialogTooltips();
std::span<const TooltipEntry> ConvertDialogTooltips();

// The string id for a control of a table, if it has one.
std::optional<UINT> TooltipStringFor(std::span<const TooltipEntry> table, int controlId);

}  // namespace res
