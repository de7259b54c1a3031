#include "platform/ui/PixelBuffer.h"
#include "platform/ui/UiConstants.h"

#include <algorithm>

namespace platform {

PixelBuffer::PixelBuffer(int width, int height, COLORREF fill)
{
    Reset(width, height, fill);
}

void PixelBuffer::Reset(int width, int height, COLORREF fill)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_pixels.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), ToArgb(fill));
}

COLORREF PixelBuffer::GetPixel(int x, int y) const
{
    if (!Contains(x, y)) {
        return CLR_INVALID;
    }
    return FromArgb(m_pixels[static_cast<std::size_t>(y) * m_width + x]);
}

void PixelBuffer::SetPixel(int x, int y, COLORREF color)
{
    if (Contains(x, y)) {
        m_pixels[static_cast<std::size_t>(y) * m_width + x] = ToArgb(color);
    }
}

void PixelBuffer::FillRect(int left, int top, int right, int bottom, COLORREF color)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_width);
    bottom = std::min(bottom, m_height);
    const std::uint32_t argb = ToArgb(color);
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* row = m_pixels.data() + static_cast<std::size_t>(y) * m_width;
        std::fill(row + left, row + std::max(left, right), argb);
    }
}

void PixelBuffer::Fill(COLORREF color)
{
    std::fill(m_pixels.begin(), m_pixels.end(), ToArgb(color));
}

}  // namespace platform
