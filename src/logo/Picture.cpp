#include "logo/Picture.h"

namespace logo {

RgbQuad Picture::ColorAt(std::int32_t x, std::int32_t y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return {};
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    if (IsIndexed()) {
        if (at >= pixels.size())
            return {};
        const std::uint8_t index = pixels[at];
        return index < colorTable.size() ? colorTable[index] : RgbQuad{};
    }
    const std::size_t offset = at * 4;
    if (offset + 3 >= pixels.size())
        return {};
    return RgbQuad{pixels[offset], pixels[offset + 1], pixels[offset + 2], 0};
}

bool IsLogoImage(const Picture& picture)
{
    return picture.width == kLogoWidth && picture.height == kLogoHeight && picture.bitsPerPixel == kLogoBits
        && picture.colorTable.size() == 256 && picture.pixels.size() == kLogoPixelBytes;
}

bool HasFullColorTable(const Picture& picture)
{
    return picture.bitsPerPixel == 8 && picture.colorTable.size() == 256 && picture.width > 0 && picture.height > 0
        && picture.pixels.size() == static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
}

LogoImage MakeBlankLogo()
{
    LogoImage image;
    image.width = kLogoWidth;
    image.height = kLogoHeight;
    image.planes = 1;
    image.bitsPerPixel = kLogoBits;
    image.colorTable.assign(256, RgbQuad{});
    image.pixels.assign(kLogoPixelBytes, 0);
    return image;
}

}  // namespace logo
