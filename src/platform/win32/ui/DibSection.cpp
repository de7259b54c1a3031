#include "platform/win32/ui/DibSection.h"

#include "logo/Picture.h"
#include "platform/ui/PixelBuffer.h"
#include "platform/win32/picture/TopDownDib.h"

#include <cstdint>
#include <cstring>

namespace platform::win32 {
namespace {

// Pictures larger than this are refused rather than allocated.
constexpr std::int32_t kMaxSide = 16384;

bool UsableSize(std::int32_t width, std::int32_t height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide;
}

}  // namespace

HBITMAP CreateDibSection(const logo::Picture& picture)
{
    if (!UsableSize(picture.width, picture.height))
        return nullptr;
    const std::size_t count = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (picture.pixels.size() < count * picture.BytesPerPixel())
        return nullptr;
    std::uint32_t* bits = nullptr;
    HBITMAP bitmap = CreateTopDownDib(picture.width, picture.height, &bits);
    if (bitmap == nullptr)
        return nullptr;
    for (std::int32_t y = 0; y < picture.height; ++y) {
        for (std::int32_t x = 0; x < picture.width; ++x) {
            const logo::RgbQuad c = picture.ColorAt(x, y);
            bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + static_cast<std::size_t>(x)] =
                (static_cast<std::uint32_t>(c.red) << 16) | (static_cast<std::uint32_t>(c.green) << 8) | c.blue;
        }
    }
    ::GdiFlush();
    return bitmap;
}

HBITMAP CreateDibSection(const PixelBuffer& pixels)
{
    if (!UsableSize(pixels.Width(), pixels.Height()))
        return nullptr;
    std::uint32_t* bits = nullptr;
    HBITMAP bitmap = CreateTopDownDib(pixels.Width(), pixels.Height(), &bits);
    if (bitmap == nullptr)
        return nullptr;
    // The buffer's 0xAARRGGBB words are exactly a 32-bit DIB's blue, green, red, x bytes.
    std::memcpy(bits, pixels.Data(),
                static_cast<std::size_t>(pixels.Width()) * static_cast<std::size_t>(pixels.Height()) * 4u);
    ::GdiFlush();
    return bitmap;
}

bool BlitPixels(HDC target, int x, int y, const PixelBuffer& pixels)
{
    if (target == nullptr)
        return false;
    HBITMAP bitmap = CreateDibSection(pixels);
    if (bitmap == nullptr)
        return false;
    bool done = false;
    HDC memory = ::CreateCompatibleDC(target);
    if (memory != nullptr) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        done = ::BitBlt(target, x, y, pixels.Width(), pixels.Height(), memory, 0, 0, SRCCOPY) != FALSE;
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    }
    ::DeleteObject(bitmap);
    return done;
}

}  // namespace platform::win32
