#pragma once
// Writing .ico and .cur files: a directory of images, each a DIB whose
// height counts twice (colour bits, then the 1-bit transparency mask).

#include "resources/art/ArtImages.h"

#include <cstdint>
#include <span>
#include <vector>

namespace res::rc {

using art::CursorArt;
using art::IconImage;

std::vector<std::uint8_t> EncodeIcon(std::span<const IconImage> images);

// Throws std::invalid_argument for art that is not 32 x 32 or uses other
// characters, or a hot spot outside the picture.
std::vector<std::uint8_t> EncodeCursor(const CursorArt& art);

}  // namespace res::rc
