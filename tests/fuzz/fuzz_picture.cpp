// The picture decoder on any bytes: it either refuses with a reason or gives
// a well-formed picture within the cap, and never allocates beyond it.

#include "FuzzCheck.h"

#include "platform/ui/PictureDecoder.h"

#include <cstddef>
#include <cstdint>

namespace {

// Small enough that a lying header cannot push a run past libFuzzer's
// memory limit, large enough for every seed.
constexpr std::uint64_t kFuzzPixelCap = 4'000'000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const platform::DecodedPicture decoded = platform::DecodePictureData(data, size, kFuzzPixelCap);
    if (!decoded) {
        FUZZ_CHECK(decoded.error != platform::PictureError::None);
        FUZZ_CHECK(!decoded.reason.empty());
        return 0;
    }
    const logo::RgbaImage& picture = *decoded.picture;
    FUZZ_CHECK(picture.IsWellFormed());
    FUZZ_CHECK(static_cast<std::uint64_t>(picture.width) * static_cast<std::uint64_t>(picture.height) <= kFuzzPixelCap);
    return 0;
}
