#include "platform/ui/CursorFile.h"

#include "logo/IconDirectory.h"

#include <algorithm>
#include <cstddef>

namespace platform {
namespace {

// A palette colour counts as white when it is light.
bool IsLight(const logo::RgbQuad& colour)
{
    return colour.red + colour.green + colour.blue >= 3 * 128;
}

std::optional<CursorImage> ToCursorImage(const logo::IconImage& image, int hotX, int hotY)
{
    const logo::Picture& picture = image.picture;
    if (picture.bitsPerPixel != 1 || image.mask.empty())
        return std::nullopt;
    CursorImage result;
    result.width = picture.width;
    result.height = picture.height;
    result.hotX = std::clamp(hotX, 0, picture.width - 1);
    result.hotY = std::clamp(hotY, 0, picture.height - 1);
    result.pixels.resize(image.mask.size());
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const auto at = static_cast<std::size_t>(y * picture.width + x);
            const bool light = IsLight(picture.ColorAt(x, y));
            if (image.mask[at] != 0)
                result.pixels[at] = light ? CursorPixel::Inverted : CursorPixel::Transparent;
            else
                result.pixels[at] = light ? CursorPixel::White : CursorPixel::Black;
        }
    }
    return result;
}

}  // namespace

std::optional<CursorImage> DecodeCursorFile(std::span<const std::uint8_t> bytes)
{
    for (const logo::IconEntry& entry : logo::ReadIconDirectory(bytes, logo::IconFileType::Cursor)) {
        const logo::IconResult decoded = logo::DecodeIconEntry(bytes, entry);
        if (!decoded)
            continue;
        if (auto image = ToCursorImage(*decoded.image, entry.planesOrHotX, entry.bitCountOrHotY))
            return image;
    }
    return std::nullopt;
}

}  // namespace platform
