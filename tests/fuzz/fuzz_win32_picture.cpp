// The Win32 build's picture decoder on any bytes, with the same properties
// and seeds as the Linux decoder. Its path from bytes to picture is portable
// but for the system's own JPEG and GIF decoder (OleLoadPicture): in its
// place here a picture of the size the headers claim, so that everything
// before it (the header reads, the cap) and after it (the EXIF turn, the
// size check) is fuzzed as it runs on Windows.

#include "fuzz_picture.cpp"

#include "platform/win32/picture/ClaimedSize.h"
#include "platform/win32/picture/OlePicture.h"

namespace platform::win32 {

DecodedPicture DecodeWithOlePicture(const std::uint8_t* data, std::size_t size, PictureFormat format)
{
    const std::optional<PictureSize> claimed =
        format == PictureFormat::Jpeg ? JpegClaimedSize(data, size) : GifClaimedSize(data, size);
    // Only a file whose headers were read, within the cap, reaches the system.
    FUZZ_CHECK(format == PictureFormat::Jpeg || format == PictureFormat::Gif);
    FUZZ_CHECK(claimed.has_value());
    FUZZ_CHECK(std::uint64_t{claimed->width} * claimed->height <= kFuzzPixelCap);
    DecodedPicture decoded;
    logo::RgbaImage& picture = decoded.picture.emplace();
    picture.width = static_cast<int>(claimed->width);
    picture.height = static_cast<int>(claimed->height);
    picture.rgba.resize(std::size_t{claimed->width} * claimed->height * 4);
    for (std::size_t i = 0; i < picture.rgba.size(); ++i)
        picture.rgba[i] = data[i % size];
    return decoded;
}

}  // namespace platform::win32
