#pragma once
// 32-bit top-down DIBs: four bytes a pixel (blue, green, red, unused), the
// first row on top. The picture decoder renders into them, the windows
// paint from them.

#include <windows.h>

#include <cstdint>

namespace platform::win32 {

inline BITMAPINFO TopDownDibInfo(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: first row on top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A DIB section of that layout and its pixels; nullptr when it cannot be made.
inline HBITMAP CreateTopDownDib(int width, int height, std::uint32_t** bits)
{
    const BITMAPINFO info = TopDownDibInfo(width, height);
    void* memory = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    if (bitmap == nullptr || memory == nullptr) {
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
        return nullptr;
    }
    *bits = static_cast<std::uint32_t*>(memory);
    return bitmap;
}

}  // namespace platform::win32
