#pragma once
// Palette cycling: one tick rotates the last N entries of the working table.

#include "logo/PaletteState.h"

namespace logo {

// m_phase advances modulo N; entries 256 - N .. 254 take the colour of the
// entry above them and entry 255 takes the old first colour. N = 0 is treated
// as no animation (nothing changes).
void AnimationStep(PaletteState& state);

}  // namespace logo
