#pragma once
// The EXIF orientation of a JPEG (tag 0x0112 of the first image directory):
// how the stored pixels must be turned to stand upright. stb_image leaves
// the EXIF block alone, so it is read here.

#include "logo/RgbaImage.h"

#include <cstddef>
#include <cstdint>

namespace platform::win32 {

// 1 (as stored) to 8, as EXIF numbers them; 1 when the JPEG has no EXIF
// block, the tag is absent, or anything on the way to it is out of bounds.
int JpegExifOrientation(const std::uint8_t* data, std::size_t size);

// The picture turned and mirrored as the orientation says (2 mirrored,
// 3 half turn, 4 flipped, 5 transposed, 6 quarter turn clockwise,
// 7 transversed, 8 quarter turn anticlockwise); other values leave it.
void ApplyExifOrientation(logo::RgbaImage& picture, int orientation);

}  // namespace platform::win32
