#pragma once
// Every user-visible text of the applet that is not part of a dialog
// template: the item's name and description, tooltips, messages, message-box
// captions, file-dialog titles and filters. The resource compiler stores
// them in the module; the applet reads them with platform::LoadStringA.

#include "platform/WinTypes.h"

#include <optional>
#include <span>
#include <string_view>

namespace res {

struct StringResource {
    UINT id;
    std::string_view text;
};

std::span<const StringResource> StringTable();

// The text with this id straight from the table (for the compiler and tests).
std::optional<std::string_view> FindTableString(UINT id);

}  // namespace res
