#include "platform/qt/PictureConvert.h"
#include "platform/ui/PixelBuffer.h"

#include "logo/Picture.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace platform::detail {

namespace {

using Lut = std::array<std::uint32_t, 256>;

// Palette index -> 0xFFRRGGBB; indices beyond the table show black.
Lut MakeLut(const logo::Picture& picture)
{
    Lut lut;
    lut.fill(0xFF000000u);
    const std::size_t n = std::min<std::size_t>(picture.colorTable.size(), lut.size());
    for (std::size_t i = 0; i < n; ++i) {
        const logo::RgbQuad& q = picture.colorTable[i];
        lut[i] = PixelBuffer::ToArgb(RGB(q.red, q.green, q.blue));
    }
    return lut;
}

std::uint32_t DirectPixel(const std::uint8_t* p)
{
    return PixelBuffer::ToArgb(RGB(p[2], p[1], p[0]));
}

}  // namespace

bool IsDrawable(const logo::Picture& picture)
{
    if (picture.width <= 0 || picture.height <= 0) {
        return false;
    }
    const auto w = static_cast<std::uint64_t>(picture.width);
    const auto h = static_cast<std::uint64_t>(picture.height);
    const std::uint64_t bpp = picture.BytesPerPixel();
    if (w > std::numeric_limits<std::uint64_t>::max() / h / bpp) {
        return false;
    }
    return picture.pixels.size() >= w * h * bpp;
}

void ComposeCentred(const logo::Picture* picture, PixelBuffer& buffer, COLORREF background)
{
    buffer.Fill(background);
    if (picture == nullptr || !IsDrawable(*picture)) {
        return;
    }
    const int bw = buffer.Width();
    const int bh = buffer.Height();
    // Centred as the picture control centres: the offset truncates towards 0.
    const long long ox = (static_cast<long long>(bw) - picture->width) / 2;
    const long long oy = (static_cast<long long>(bh) - picture->height) / 2;
    const int x0 = static_cast<int>(std::max<long long>(0, ox));
    const int y0 = static_cast<int>(std::max<long long>(0, oy));
    const int x1 = static_cast<int>(std::min<long long>(bw, ox + picture->width));
    const int y1 = static_cast<int>(std::min<long long>(bh, oy + picture->height));
    const bool indexed = picture->IsIndexed();
    const Lut lut = indexed ? MakeLut(*picture) : Lut{};
    const std::size_t bpp = picture->BytesPerPixel();
    for (int y = y0; y < y1; ++y) {
        const std::size_t srcRow = static_cast<std::size_t>(y - oy) * static_cast<std::size_t>(picture->width);
        std::uint32_t* dst = buffer.Data() + static_cast<std::size_t>(y) * bw;
        for (int x = x0; x < x1; ++x) {
            const std::size_t src = (srcRow + static_cast<std::size_t>(x - ox)) * bpp;
            dst[x] = indexed ? lut[picture->pixels[src]] : DirectPixel(&picture->pixels[src]);
        }
    }
}

QImage PictureToImage(const logo::Picture& picture)
{
    if (!IsDrawable(picture) || picture.width > 4096 || picture.height > 4096) {
        return QImage();
    }
    PixelBuffer buffer(picture.width, picture.height, 0);
    ComposeCentred(&picture, buffer, 0);
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        std::copy_n(buffer.Data() + static_cast<std::size_t>(y) * picture.width, picture.width,
                    reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    return image;
}

}  // namespace platform::detail
