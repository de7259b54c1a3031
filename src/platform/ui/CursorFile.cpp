#include "platform/ui/CursorFile.h"

#include "logo/ByteOrder.h"

#include <algorithm>
#include <cstddef>

namespace platform {
namespace {

constexpr std::size_t kDirectoryHeader = 6;
constexpr std::size_t kDirectoryEntry = 16;
constexpr std::size_t kInfoHeaderMin = 40;
constexpr std::uint16_t kCursorType = 2;
constexpr int kMaxSide = 256;

bool Bit(std::span<const std::uint8_t> row, int x)
{
    return (row[static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1;
}

// A palette colour counts as white when it is light.
bool IsLight(std::span<const std::uint8_t> entry)
{
    return entry[0] + entry[1] + entry[2] >= 3 * 128;
}

std::optional<CursorImage> DecodeImage(std::span<const std::uint8_t> image, int hotX, int hotY)
{
    if (image.size() < kInfoHeaderMin)
        return std::nullopt;
    const std::uint32_t headerSize = logo::ReadU32LE(image, 0);
    const auto width = static_cast<std::int32_t>(logo::ReadU32LE(image, 4));
    const auto doubledHeight = static_cast<std::int32_t>(logo::ReadU32LE(image, 8));
    const std::uint16_t planes = logo::ReadU16LE(image, 12);
    const std::uint16_t bitCount = logo::ReadU16LE(image, 14);
    const std::uint32_t compression = logo::ReadU32LE(image, 16);
    const std::uint32_t colorsUsed = logo::ReadU32LE(image, 32);
    if (headerSize < kInfoHeaderMin || headerSize > image.size() || planes != 1 || bitCount != 1 ||
        compression != 0 || colorsUsed == 1 || colorsUsed > 2)
        return std::nullopt;
    // The height covers the XOR mask and the AND mask stacked.
    if (width < 1 || width > kMaxSide || doubledHeight < 2 || doubledHeight > 2 * kMaxSide || doubledHeight % 2 != 0)
        return std::nullopt;
    const int height = doubledHeight / 2;

    const std::size_t paletteAt = headerSize;
    const std::size_t stride = static_cast<std::size_t>((width + 31) / 32) * 4;
    const std::size_t xorAt = paletteAt + 2 * 4;
    const std::size_t andAt = xorAt + stride * static_cast<std::size_t>(height);
    if (andAt + stride * static_cast<std::size_t>(height) > image.size())
        return std::nullopt;

    const std::span<const std::uint8_t> palette[2] = {image.subspan(paletteAt, 4), image.subspan(paletteAt + 4, 4)};
    CursorImage result;
    result.width = width;
    result.height = height;
    result.hotX = std::clamp(hotX, 0, width - 1);
    result.hotY = std::clamp(hotY, 0, height - 1);
    result.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const auto fileRow = static_cast<std::size_t>(height - 1 - y);
        const auto xorRow = image.subspan(xorAt + fileRow * stride, stride);
        const auto andRow = image.subspan(andAt + fileRow * stride, stride);
        for (int x = 0; x < width; ++x) {
            const bool light = IsLight(palette[Bit(xorRow, x) ? 1 : 0]);
            CursorPixel pixel;
            if (Bit(andRow, x))
                pixel = light ? CursorPixel::Inverted : CursorPixel::Transparent;
            else
                pixel = light ? CursorPixel::White : CursorPixel::Black;
            result.pixels[static_cast<std::size_t>(y * width + x)] = pixel;
        }
    }
    return result;
}

}  // namespace

std::optional<CursorImage> DecodeCursorFile(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kDirectoryHeader || logo::ReadU16LE(bytes, 0) != 0 || logo::ReadU16LE(bytes, 2) != kCursorType)
        return std::nullopt;
    const std::size_t count = logo::ReadU16LE(bytes, 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kDirectoryHeader + i * kDirectoryEntry;
        if (entry + kDirectoryEntry > bytes.size())
            break;
        const int hotX = logo::ReadU16LE(bytes, entry + 4);
        const int hotY = logo::ReadU16LE(bytes, entry + 6);
        const std::uint32_t size = logo::ReadU32LE(bytes, entry + 8);
        const std::uint32_t offset = logo::ReadU32LE(bytes, entry + 12);
        if (offset > bytes.size() || size > bytes.size() - offset)
            continue;
        if (auto image = DecodeImage(bytes.subspan(offset, size), hotX, hotY))
            return image;
    }
    return std::nullopt;
}

}  // namespace platform
