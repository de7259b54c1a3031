#include "platform/qt/IconDecoder.h"

#include "logo/ByteOrder.h"

#include <algorithm>
#include <cstddef>

namespace platform::detail {

namespace {

// ICONDIR:       0 reserved (0)  2 type (1 = icon)  4 count
// ICONDIRENTRY:  0 width  1 height  2 colours  3 reserved  4 planes
//                6 bit count  8 bytes in resource  12 image offset
// Image (BMP):   BITMAPINFOHEADER (height doubled), colour table, XOR
//                rows, AND mask rows; rows bottom-up, 32-bit aligned.
constexpr std::size_t kDirSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr int kMaxIconSide = 256;

QImage DecodeBmpImage(std::span<const std::uint8_t> img)
{
    if (img.size() < kInfoHeaderSize) {
        return QImage();
    }
    const std::uint32_t headerSize = logo::ReadU32LE(img, 0);
    const auto width = static_cast<std::int32_t>(logo::ReadU32LE(img, 4));
    const auto doubledHeight = static_cast<std::int32_t>(logo::ReadU32LE(img, 8));
    const std::uint16_t bitCount = logo::ReadU16LE(img, 14);
    const std::uint32_t compression = logo::ReadU32LE(img, 16);
    const std::uint32_t colorsUsed = logo::ReadU32LE(img, 32);
    if (headerSize < kInfoHeaderSize || headerSize > img.size() || compression != 0) {
        return QImage();
    }
    const int height = doubledHeight / 2;
    if (width <= 0 || width > kMaxIconSide || height <= 0 || height > kMaxIconSide) {
        return QImage();
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) {
        return QImage();
    }
    std::size_t paletteCount = 0;
    if (bitCount <= 8) {
        paletteCount = colorsUsed != 0 ? colorsUsed : (1u << bitCount);
        if (paletteCount > 256) {
            return QImage();
        }
    }
    const std::size_t paletteAt = headerSize;
    const std::size_t xorAt = paletteAt + paletteCount * 4;
    const std::size_t xorStride = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
    const std::size_t andAt = xorAt + xorStride * static_cast<std::size_t>(height);
    const std::size_t andStride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
    const std::size_t end = andAt + andStride * static_cast<std::size_t>(height);
    // 32-bit images may leave the mask out; everything else needs it.
    const bool hasMask = end <= img.size();
    if (andAt > img.size() || (!hasMask && bitCount != 32)) {
        return QImage();
    }

    QImage image(width, height, QImage::Format_ARGB32);
    bool anyAlpha = false;
    for (int row = 0; row < height; ++row) {
        const std::size_t line = xorAt + xorStride * static_cast<std::size_t>(height - 1 - row);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int x = 0; x < width; ++x) {
            QRgb pixel = 0;
            if (bitCount <= 8) {
                const std::size_t bitPos = static_cast<std::size_t>(x) * bitCount;
                const std::uint8_t byte = img[line + bitPos / 8];
                const unsigned shift = 8 - bitCount - static_cast<unsigned>(bitPos % 8);
                const unsigned index = (byte >> shift) & ((1u << bitCount) - 1);
                if (index < paletteCount) {
                    const std::size_t p = paletteAt + index * 4;
                    pixel = qRgb(img[p + 2], img[p + 1], img[p]);
                } else {
                    pixel = qRgb(0, 0, 0);
                }
            } else if (bitCount == 24) {
                const std::size_t p = line + static_cast<std::size_t>(x) * 3;
                pixel = qRgb(img[p + 2], img[p + 1], img[p]);
            } else {
                const std::size_t p = line + static_cast<std::size_t>(x) * 4;
                pixel = qRgba(img[p + 2], img[p + 1], img[p], img[p + 3]);
                anyAlpha = anyAlpha || img[p + 3] != 0;
            }
            out[x] = pixel;
        }
    }
    const bool useMask = hasMask && !(bitCount == 32 && anyAlpha);
    for (int row = 0; row < height; ++row) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int x = 0; x < width; ++x) {
            bool transparent = false;
            if (useMask) {
                const std::size_t line = andAt + andStride * static_cast<std::size_t>(height - 1 - row);
                transparent = ((img[line + static_cast<std::size_t>(x) / 8] >> (7 - x % 8)) & 1) != 0;
            }
            if (bitCount != 32 || useMask) {
                out[x] = transparent ? qRgba(0, 0, 0, 0) : (out[x] | 0xFF000000u);
            }
        }
    }
    return image;
}

}  // namespace

std::vector<QImage> DecodeIcoImages(std::span<const std::uint8_t> bytes)
{
    std::vector<QImage> images;
    if (bytes.size() < kDirSize || logo::ReadU16LE(bytes, 0) != 0 || logo::ReadU16LE(bytes, 2) != 1) {
        return images;
    }
    const std::size_t count = logo::ReadU16LE(bytes, 4);
    if (kDirSize + count * kEntrySize > bytes.size()) {
        return images;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kDirSize + i * kEntrySize;
        const std::uint32_t size = logo::ReadU32LE(bytes, entry + 8);
        const std::uint32_t offset = logo::ReadU32LE(bytes, entry + 12);
        if (offset > bytes.size() || size > bytes.size() - offset) {
            continue;
        }
        const std::span<const std::uint8_t> img = bytes.subspan(offset, size);
        static constexpr std::uint8_t kPng[] = {0x89, 'P', 'N', 'G'};
        QImage image;
        if (img.size() >= 4 && std::equal(std::begin(kPng), std::end(kPng), img.begin())) {
            image.loadFromData(img.data(), static_cast<int>(img.size()), "PNG");
        } else {
            image = DecodeBmpImage(img);
        }
        if (!image.isNull()) {
            images.push_back(std::move(image));
        }
    }
    return images;
}

}  // namespace platform::detail
