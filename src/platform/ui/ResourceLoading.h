#pragma once
// The module's resources as the dialogs load them: strings and bitmaps by
// id, over the resource section the module handed over at attach.

#include "platform/WinTypes.h"
#include "platform/modres/ModuleResources.h"
#include "logo/Picture.h"

#include <optional>
#include <string>

namespace platform {

// The string with this id, or "" when the table has none.
std::string LoadStringA(UINT id);

// The bitmap with this id, decoded; nullopt when absent or undecodable.
std::optional<logo::Picture> LoadBitmapA(int id);

}  // namespace platform
