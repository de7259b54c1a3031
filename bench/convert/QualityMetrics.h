#pragma once
// Perceptual error between two pictures of the same size: mean CIEDE2000
// after the light blur of normal viewing distance, and SSIM on lightness.

#include "logo/RgbaImage.h"

namespace bench_convert {

// Mean CIEDE2000 over all pixels, both pictures first blurred with a 3 x 3
// binomial kernel in linear light (the eye at a normal distance does not
// see single dither dots). Lower is better.
double MeanCiede2000(const logo::RgbaImage& a, const logo::RgbaImage& b);

// Mean SSIM of CIE L* (8 x 8 windows, stride 4). 1 is identical.
double LightnessSsim(const logo::RgbaImage& a, const logo::RgbaImage& b);

}  // namespace bench_convert
