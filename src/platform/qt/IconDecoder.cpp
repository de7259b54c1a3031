#include "platform/qt/IconDecoder.h"

#include <algorithm>

namespace platform::detail {

QImage ToQImage(const logo::IconImage& image)
{
    const logo::Picture& picture = image.picture;
    const bool alphaImage = picture.bitsPerPixel == 32;
    const bool anyAlpha = std::any_of(image.alpha.begin(), image.alpha.end(), [](std::uint8_t a) { return a != 0; });
    const bool useMask = !image.mask.empty() && !(alphaImage && anyAlpha);
    QImage result(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width)
                + static_cast<std::size_t>(x);
            const logo::RgbQuad colour = picture.ColorAt(x, y);
            QRgb pixel = qRgba(colour.red, colour.green, colour.blue, alphaImage ? image.alpha[at] : 255);
            if (useMask && image.mask[at] != 0)
                pixel = qRgba(0, 0, 0, 0);
            else if (!alphaImage || useMask)
                pixel |= 0xFF000000u;
            out[x] = pixel;
        }
    }
    return result;
}

QImage DecodeIcoEntry(std::span<const std::uint8_t> bytes, const logo::IconEntry& entry)
{
    const auto data = logo::IconEntryBytes(bytes, entry);
    if (!data)
        return QImage();
    QImage image;
    if (logo::IsPngImage(*data)) {
        image.loadFromData(data->data(), static_cast<int>(data->size()), "PNG");
        return image;
    }
    const logo::IconResult decoded = logo::DecodeIconDib(*data, entry.width, entry.height);
    return decoded ? ToQImage(*decoded.image) : QImage();
}

std::vector<QImage> DecodeIcoImages(std::span<const std::uint8_t> bytes)
{
    std::vector<QImage> images;
    for (const logo::IconEntry& entry : logo::ReadIconDirectory(bytes, logo::IconFileType::Icon)) {
        QImage image = DecodeIcoEntry(bytes, entry);
        if (!image.isNull())
            images.push_back(std::move(image));
    }
    return images;
}

}  // namespace platform::detail
