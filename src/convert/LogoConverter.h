#pragma once
// Any picture into a logo: placed for the 4:3 screen, resampled in linear
// light, reduced to colours the VGA shows, with entries kept free at the end
// for the palette cycling and, when asked, the animated bar made at once.

#include "convert/ConvertOptions.h"
#include "logo/Picture.h"
#include "logo/RgbaImage.h"

#include <cstdint>
#include <optional>
#include <string>

namespace convert {

struct ConvertResult {
    std::optional<logo::LogoImage> picture;  // 320 x 400 x 8, its table in colorTable
    bool animated = false;                   // true when the bar was made
    std::uint8_t animCount = 0;              // the cycling entries of an animated result
    int colorsUsed = 0;                      // entries that some pixel uses
    std::string reason;                      // why there is no picture

    explicit operator bool() const { return picture.has_value(); }
};

ConvertResult ConvertToLogo(const logo::RgbaImage& source, const ConvertOptions& options);

// Entries that some pixel of the logo uses.
int CountUsedEntries(const logo::LogoImage& picture);

}  // namespace convert
