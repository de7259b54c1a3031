#pragma once
// The refusals the picture decoder gives, worded once for the data and the
// file entry points.

#include "platform/ui/PictureDecoder.h"
#include "platform/win32/picture/PictureFormat.h"

#include <cstdint>
#include <string>

namespace platform::win32 {

inline DecodedPicture DecodeFailure(PictureError error, std::string reason)
{
    DecodedPicture failed;
    failed.error = error;
    failed.reason = std::move(reason);
    return failed;
}

inline DecodedPicture TooLargeFailure(std::uint64_t width, std::uint64_t height, std::uint64_t maxPixels)
{
    return DecodeFailure(PictureError::TooLarge,
                         "the picture is " + std::to_string(width) + " x " + std::to_string(height)
                             + " pixels, more than the " + std::to_string(maxPixels / 1'000'000)
                             + " megapixels a picture may have");
}

inline DecodedPicture DamagedFailure(PictureFormat format)
{
    return DecodeFailure(PictureError::Malformed,
                         "the " + PictureFormatName(format) + " picture's data is damaged or incomplete");
}

inline DecodedPicture OutOfMemoryFailure()
{
    return DecodeFailure(PictureError::TooLarge, "there is not enough memory for the picture");
}

}  // namespace platform::win32
