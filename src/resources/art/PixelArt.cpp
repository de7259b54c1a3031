#include "resources/art/PixelArt.h"

#include <stdexcept>
#include <string>

namespace res::art {

logo::Picture MakeIndexedPicture(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel)
{
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8)
        throw std::invalid_argument("indexed pictures have 1, 4 or 8 bits per pixel");
    logo::Picture picture;
    picture.width = width;
    picture.height = height;
    picture.planes = 1;
    picture.bitsPerPixel = bitsPerPixel;
    picture.colorTable.assign(std::size_t{1} << bitsPerPixel, logo::RgbQuad{});
    picture.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    return picture;
}

logo::Picture RenderPixelArt(std::span<const std::string_view> rows, std::span<const PaletteKey> key,
                             std::uint16_t bitsPerPixel)
{
    if (rows.empty() || rows.front().empty())
        throw std::invalid_argument("text art without pixels");
    const std::size_t width = rows.front().size();
    logo::Picture picture
        = MakeIndexedPicture(static_cast<std::int32_t>(width), static_cast<std::int32_t>(rows.size()), bitsPerPixel);
    if (key.size() > picture.colorTable.size())
        throw std::invalid_argument("palette key larger than the colour table");
    for (std::size_t i = 0; i < key.size(); ++i)
        picture.colorTable[i] = logo::RgbQuad{key[i].blue, key[i].green, key[i].red, 0};

    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].size() != width)
            throw std::invalid_argument("text art row " + std::to_string(y) + " has the wrong width");
        for (std::size_t x = 0; x < width; ++x) {
            std::size_t index = 0;
            while (index < key.size() && key[index].symbol != rows[y][x])
                ++index;
            if (index == key.size())
                throw std::invalid_argument(std::string("text art uses an unknown character '") + rows[y][x] + "'");
            picture.pixels[y * width + x] = static_cast<std::uint8_t>(index);
        }
    }
    return picture;
}

}  // namespace res::art
