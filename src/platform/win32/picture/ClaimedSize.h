#pragma once
// The largest picture a JPEG or GIF can make, read from its headers before
// any decoder sees it, so the pixel cap holds whatever the decoder does.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace platform::win32 {

struct PictureSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The size in the frame header, found by walking the segments from the
// start of the file; nullopt when anything but a well-formed segment comes
// before it (garbage, a scan, the end), or when it gives no height (a DNL
// marker would, later).
std::optional<PictureSize> JpegClaimedSize(const std::uint8_t* data, std::size_t size);

// The logical screen and the first image, whichever reaches further in each
// direction (decoders make either); nullopt when the blocks before the
// first image are cut short or unknown.
std::optional<PictureSize> GifClaimedSize(const std::uint8_t* data, std::size_t size);

}  // namespace platform::win32
