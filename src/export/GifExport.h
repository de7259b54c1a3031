#pragma once
// The cycle as an animated GIF (giflib): one frame per tick, looping for ever.
// The first frame is the whole picture; every later frame carries only the
// rectangle of pixels that use a cycling entry, with a colour table of just
// the entries that rectangle uses, so the file stays small.

#include "export/AnimationFrames.h"
#include "export/ExportResult.h"

#include <cstdint>
#include <string>
#include <vector>

namespace exporting {

// GIF delays are hundredths of a second: the period is rounded to the nearest
// 10 ms, at least 10 ms.
int GifDelayCentiseconds(int periodMilliseconds);

// The whole file in memory; empty with the reason in `error` on failure.
std::vector<std::uint8_t> EncodeGif(const AnimationFrames& frames, std::string& error);

ExportResult ExportGif(const std::string& path, const AnimationFrames& frames);

}  // namespace exporting
