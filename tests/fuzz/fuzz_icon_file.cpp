// The DIB decoder on icon and cursor files: the directory, each entry's
// image with its mask, and the bytes taken as a lone image.

#include "FuzzCheck.h"

#include "logo/ByteOrder.h"
#include "logo/IconDirectory.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

void CheckImage(const logo::IconResult& result, std::int32_t width, std::int32_t height)
{
    if (!result)
        return;
    const logo::IconImage& image = *result.image;
    const logo::Picture& picture = image.picture;
    FUZZ_CHECK(picture.width == width && picture.height == height);
    FUZZ_CHECK(width >= 1 && width <= logo::kMaxIconSide && height >= 1 && height <= logo::kMaxIconSide);
    const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    FUZZ_CHECK(picture.pixels.size() == pixelCount * picture.BytesPerPixel());
    FUZZ_CHECK(image.mask.empty() ? picture.bitsPerPixel == 32 : image.mask.size() == pixelCount);
    FUZZ_CHECK(image.alpha.size() == (picture.bitsPerPixel == 32 ? pixelCount : 0));
    picture.ColorAt(width - 1, height - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    for (const logo::IconFileType type : {logo::IconFileType::Icon, logo::IconFileType::Cursor}) {
        for (const logo::IconEntry& entry : logo::ReadIconDirectory(bytes, type)) {
            FUZZ_CHECK(entry.width >= 1 && entry.width <= 256 && entry.height >= 1 && entry.height <= 256);
            CheckImage(logo::DecodeIconEntry(bytes, entry), entry.width, entry.height);
        }
    }
    // As a lone square image as wide as its header says, so the DIB checks
    // are reached without a directory in front.
    const std::uint32_t width = size >= 8 ? logo::ReadU32LE(bytes, 4) : 1;
    const std::int32_t side = width >= 1 && width <= 256 ? static_cast<std::int32_t>(width) : 1;
    CheckImage(logo::DecodeIconDib(bytes, side, side), side, side);
    return 0;
}
