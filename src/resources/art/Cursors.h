#pragma once
// The mouse-tool cursors of the Animation Options editor: 32 x 32,
// monochrome, drawn as text art ('.' transparent, '#' black, 'w' white).

#include "resources/art/ArtImages.h"

#include <vector>

namespace res::art {

struct CursorResource {
    int cursorId;
    CursorArt art;
};

std::vector<CursorResource> CursorArts();

}  // namespace res::art
