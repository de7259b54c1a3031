#pragma once
// The cycle as a lossless animated WebP (libwebp's animation encoder): the
// same frames and timing as the GIF, looping for ever. The encoder itself
// stores only what changes between frames; consecutive frames that look
// identical it joins into one frame lasting as long as both.

#include "export/AnimationFrames.h"
#include "export/ExportResult.h"

#include <cstdint>
#include <string>
#include <vector>

namespace exporting {

std::vector<std::uint8_t> EncodeWebp(const AnimationFrames& frames, std::string& error);

ExportResult ExportWebp(const std::string& path, const AnimationFrames& frames);

}  // namespace exporting
