#pragma once
// Whole-file writes that either complete or leave the target untouched.

#include "export/ExportResult.h"

#include <cstdint>
#include <span>
#include <string>

namespace exporting {

// Writes the bytes to a new file beside the target and renames it over the
// target only when every byte is on disk.
ExportResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace exporting
