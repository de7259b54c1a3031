#pragma once
// Resampling in linear light, through stb_image_resize: averaging sRGB
// values directly darkens every fine detail and edge of a reduced picture.

#include "convert/LogoGeometry.h"
#include "logo/RgbaImage.h"

#include <cstddef>

namespace convert {

// `region` of the source resampled to width x height with Catmull-Rom, whose
// edges stay crisper than Mitchell's at logo size (text and line art show it
// most); transparent pixels weigh nothing.
// False when the sizes or the region are unusable.
bool ResampleRegion(const logo::RgbaImage& source, const SourceRegion& region, int width, int height,
                    logo::RgbaImage& result);

// A copy of at most maxPixels pixels with the same shape, for previews that
// must follow a slider; a source already that small is copied as it is.
logo::RgbaImage ReduceToPixelCount(const logo::RgbaImage& source, std::size_t maxPixels);

}  // namespace convert
