#pragma once
// The faces of the Animation Options tool buttons: 16 x 16 (the film strip
// 15 x 16), 256-colour pictures on the light grey of a button.

#include "logo/Picture.h"

#include <vector>

namespace res::art {

struct ButtonFace {
    int bitmapId;
    logo::Picture picture;
};

std::vector<ButtonFace> RenderButtonFaces();

}  // namespace res::art
