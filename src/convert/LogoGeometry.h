#pragma once
// Where a picture lands on the logo. Windows shows the 320 x 400 logo on a
// 4:3 screen, so one logo pixel is 5/3 as wide as it is tall; a picture keeps
// its shape only when that is allowed for.

#include "convert/ConvertOptions.h"

namespace convert {

// A part of the source in source pixels (fractions allowed: a centred crop
// rarely falls on whole pixels).
struct SourceRegion {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Whole logo pixels the resampled picture covers; the rest is fill colour.
struct LogoRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Placement {
    SourceRegion source;
    LogoRect target;
};

// The placement of a width x height picture (both above 0) on the logo.
Placement PlacePicture(int width, int height, Geometry geometry);

}  // namespace convert
