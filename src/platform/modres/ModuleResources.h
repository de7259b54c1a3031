#pragma once
// The module's own resources as the applet asks for them: strings, bitmaps
// and the raw bytes of icons, cursors and version information. The module
// hands its resource section over once, at attach.

#include "platform/modres/ResourceBlob.h"
#include "platform/WinTypes.h"
#include "logo/Picture.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace platform {

// Takes a copy of the blob; an invalid blob leaves the module without
// resources (every lookup then finds nothing).
void SetModuleResources(std::span<const std::uint8_t> blob);

// The payload of one resource (a .bmp, .ico or .cur file, string bytes or
// version lines), empty when absent. Valid until the next SetModuleResources.
std::span<const std::uint8_t> FindResourceData(ResourceType type, int id);

// The string with this id, or "" when the table has none.
std::string LoadStringA(UINT id);

// The bitmap with this id, decoded; nullopt when absent or undecodable.
std::optional<logo::Picture> LoadBitmapA(int id);

}  // namespace platform
