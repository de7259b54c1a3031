#pragma once
// Icon 1000, the Control Panel item's icon: a small monitor showing a
// sunrise above a coloured bar on its stand. The same design is drawn at
// 16, 32 and 48 pixels, each in 16 colours and in 256 colours.

#include "resources/art/ArtImages.h"

#include <vector>

namespace res::art {

// Six images, ordered by depth (4-bit, then 8-bit) and by size within a depth.
std::vector<IconImage> RenderAppletIcon();

}  // namespace res::art
