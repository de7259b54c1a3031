#pragma once
// The module's own resources by type and id: the raw bytes of bitmaps,
// icons, cursors and version information, and the strings. The module hands
// its resource section over once, at attach.

#include "platform/modres/ResourceBlob.h"
#include "platform/WinTypes.h"

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

// The string with this id in the string table; nullopt when absent.
std::optional<std::string> FindModuleString(std::uint16_t id);

}  // namespace platform
