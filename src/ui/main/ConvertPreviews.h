#pragma once
// The two pictures of Convert Picture: the chosen picture at its own shape,
// and the logo as the boot screen will show it (4:3, six bits a channel).

#include "convert/ConvertOptions.h"
#include "logo/Picture.h"
#include "logo/RgbaImage.h"

#include <memory>

// Both views fit this box, the 4:3 shape of the screen.
constexpr int kConvertViewWidth = 200;
constexpr int kConvertViewHeight = 150;

// The logo's boot screen reduced to the box, as a direct-colour picture.
std::unique_ptr<logo::Picture> ScreenView(const logo::LogoImage& logo);

// The source within the box at its own shape; transparency over `fill`.
std::unique_ptr<logo::Picture> SourceView(const logo::RgbaImage& source, convert::Rgb fill);
