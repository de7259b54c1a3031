#pragma once
// A 32-bit pixel surface: what a window's owner-drawn client area and a
// picture control show. Pixels are 0xFFRRGGBB, rows top-down, no padding,
// so the toolkit can display the buffer without converting it.

#include "platform/WinTypes.h"

#include <cstdint>
#include <vector>

namespace platform {

class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(int width, int height, COLORREF fill);

    // Changes the size; every pixel becomes fill.
    void Reset(int width, int height, COLORREF fill);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    // CLR_INVALID outside the buffer.
    COLORREF GetPixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);
    // Fills [left, right) x [top, bottom), clipped to the buffer.
    void FillRect(int left, int top, int right, int bottom, COLORREF color);
    void Fill(COLORREF color);

    const std::uint32_t* Data() const { return m_pixels.data(); }
    std::uint32_t* Data() { return m_pixels.data(); }

    static constexpr std::uint32_t ToArgb(COLORREF c)
    {
        return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
               (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
    }
    static constexpr COLORREF FromArgb(std::uint32_t argb)
    {
        return RGB(static_cast<BYTE>(argb >> 16), static_cast<BYTE>(argb >> 8), static_cast<BYTE>(argb));
    }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

}  // namespace platform
