#pragma once
// The pictures of the sample drive, drawn in code: an animated start-up logo,
// the two shut-down screens and their defaults, and the blank new-logo
// template. All are 320 x 400 at 8 bits.

#include "logo/Picture.h"

#include <cstdint>

namespace host {

struct SampleLogo {
    logo::LogoImage image;
    std::uint8_t animationCount = 0;  // 0 for a static picture
};

// Sunrise over hills; a light pulse runs along the bottom bar and ripples
// out of the sun (the last 64 entries cycle).
SampleLogo DrawStartUpLogo();
// Dusk with "PLEASE WAIT WHILE YOUR COMPUTER SHUTS DOWN".
SampleLogo DrawPreShutDownScreen();
// Night with "IT IS NOW SAFE TO TURN OFF YOUR COMPUTER".
SampleLogo DrawShutDownScreen();
// The shipped defaults: plainer variants of the two shut-down screens.
SampleLogo DrawDefaultPreShutDownScreen();
SampleLogo DrawDefaultShutDownScreen();
// A white page with a light grid, for drawing a new logo.
SampleLogo DrawNewLogoTemplate();

}  // namespace host
