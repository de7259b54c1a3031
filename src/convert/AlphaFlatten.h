#pragma once
// A logo has no transparency: what is see-through in the picture shows the
// fill colour, blended in linear light as a screen would mix the two.

#include "convert/ConvertOptions.h"
#include "logo/RgbaImage.h"

namespace convert {

// Every pixel made opaque over `background`.
void FlattenOnto(logo::RgbaImage& image, Rgb background);

}  // namespace convert
