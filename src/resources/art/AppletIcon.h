#pragma once
// IDI_APPLET, the Control Panel item's icon: a small monitor showing a
// sunrise above a coloured bar on its stand. The same design is drawn at
// 16, 32 and 48 pixels, each in 16 colours and in 256 colours.

#include "resources/art/ArtImages.h"

#include <cstdint>
#include <vector>

namespace res::art {

// Six images, ordered by depth (4-bit, then 8-bit) and by size within a depth.
std::vector<IconImage> RenderAppletIcon();

// The 256-colour design in true colour at any size from 16 up, for the
// desktop's large icon, which the icon group does not carry. Rows top-down,
// four bytes a pixel (red, green, blue, alpha: 0 transparent, 255 opaque).
struct RgbaIcon {
    int size = 0;
    std::vector<std::uint8_t> rgba;
};
RgbaIcon RenderLargeAppletIcon(int size);

}  // namespace res::art
