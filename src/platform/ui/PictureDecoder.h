#pragma once
// Pictures of every common format (PNG, JPEG, GIF's first frame, WebP, TIFF,
// BMP of any depth) decoded for conversion into a logo: turned upright as
// their EXIF orientation says, their colours in sRGB. A picture that cannot
// be decoded gives a reason a person can act on; one claiming more pixels
// than the cap is refused before anything is allocated for it.

#include "logo/RgbaImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// 100 megapixels: every camera of today, far below what exhausts memory.
constexpr std::uint64_t kMaxPicturePixels = 100'000'000;

enum class PictureError {
    None,
    Unreadable,   // the file cannot be opened or read
    Unsupported,  // not a picture in a format we read
    Malformed,    // the format is known, its data is damaged or cut short
    TooLarge,     // more pixels than the cap
};

struct DecodedPicture {
    std::optional<logo::RgbaImage> picture;
    PictureError error = PictureError::None;
    std::string reason;

    explicit operator bool() const { return picture.has_value(); }
};

DecodedPicture DecodePictureFile(const std::string& path, std::uint64_t maxPixels = kMaxPicturePixels);
DecodedPicture DecodePictureData(const std::uint8_t* data, std::size_t size,
                                 std::uint64_t maxPixels = kMaxPicturePixels);

}  // namespace platform
