#pragma once
// "Export Animation...": asks where (GIF, animated WebP or PNG) through the
// prompts and writes the logo's cycle there at the file's own colours. A
// failure is reported in a message box; the target then stays as it was.

#include "logo/Picture.h"

#include <cstdint>

namespace platform {
class CWnd;
}

enum class ExportOutcome { Cancelled, Written, Failed };

// count: the animation count N (0 for a static logo: one frame).
ExportOutcome ExportAnimation(platform::CWnd& owner, const logo::LogoImage& picture, const logo::ColorTable& table,
                              std::uint8_t count);
