#pragma once
// Reading a module's resource section straight from its file, the way a
// Control Panel reads an item's name and icon without running the module.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The section that holds a module's resource blob.
inline constexpr std::string_view kResourceSectionName = "lumva_rsrc";

// The contents of the named section of a 64-bit little-endian ELF file, or
// nullopt when the file cannot be read, is no such ELF file, is truncated or
// malformed, or has no section of that name with contents in the file.
std::optional<std::vector<std::uint8_t>> ReadElfSection(const std::string& path, std::string_view sectionName);

// ReadElfSection for the resource section.
std::optional<std::vector<std::uint8_t>> ReadModuleResourceSection(const std::string& modulePath);

}  // namespace platform
