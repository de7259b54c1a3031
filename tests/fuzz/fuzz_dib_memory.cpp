// The DIB decoder on bytes from memory (resources, icons, cursors), and the
// header query that must agree with it.

#include "FuzzCheck.h"

#include "logo/BmpReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const logo::LoadResult decoded = logo::DecodeBmp(bytes);
    const logo::HeaderResult header = logo::ReadBmpHeader(bytes.first(std::min(size, logo::kHeaderBytes)), size);
    if (!decoded)
        return 0;
    const logo::Picture& picture = *decoded.picture;
    FUZZ_CHECK(header);
    FUZZ_CHECK(header.header->width == picture.width && header.header->height == picture.height);
    FUZZ_CHECK(header.header->bitsPerPixel == picture.bitsPerPixel);
    const std::size_t pixelCount = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    FUZZ_CHECK(picture.pixels.size() == pixelCount * picture.BytesPerPixel());
    FUZZ_CHECK(!picture.IsIndexed() || picture.colorTable.size() == (std::size_t{1} << picture.bitsPerPixel));
    // Every pixel names an entry or shows black; reading one must be safe.
    picture.ColorAt(picture.width - 1, picture.height - 1);
    return 0;
}
