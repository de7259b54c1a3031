#include "platform/ui/CDC.h"
#include "platform/ui/PixelBuffer.h"
#include "platform/ui/UiConstants.h"

#include <algorithm>
#include <utility>

namespace platform {

CDC::CDC()
    : m_pen(static_cast<CPen*>(GetStockObject(BLACK_PEN))),
      m_brush(static_cast<CBrush*>(GetStockObject(WHITE_BRUSH))),
      m_penValue(*m_pen),
      m_brushValue(*m_brush)
{
}

CDC::CDC(PixelBuffer* target, PixelReader reader) : CDC()
{
    Attach(target, std::move(reader));
}

CDC::~CDC() = default;

void CDC::Attach(PixelBuffer* target, PixelReader reader)
{
    m_target = target;
    m_reader = std::move(reader);
}

CPen* CDC::SelectObject(CPen* pen)
{
    if (pen == nullptr || !pen->IsCreated()) {
        return nullptr;
    }
    CPen* previous = m_pen;
    m_pen = pen;
    m_penValue = *pen;
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    if (brush == nullptr || !brush->IsCreated()) {
        return nullptr;
    }
    CBrush* previous = m_brush;
    m_brush = brush;
    m_brushValue = *brush;
    return previous;
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    if (object == nullptr) {
        return nullptr;
    }
    if (object->GetKind() == CGdiObject::Kind::Pen) {
        return SelectObject(static_cast<CPen*>(object));
    }
    return SelectObject(static_cast<CBrush*>(object));
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return SelectObject(GetStockObject(index));
}

void CDC::DrawPenBand(int left, int top, int right, int bottom)
{
    m_target->FillRect(left, top, right, bottom, m_penValue.Color());
}

// Paints the pixels of one outer corner block whose centres lie within
// the round join around (cx, cy).
void CDC::DrawCornerBlock(int left, int top, int right, int bottom, double cx, double cy, double radius)
{
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            if (dx * dx + dy * dy <= radius * radius) {
                m_target->SetPixel(x, y, m_penValue.Color());
            }
        }
    }
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    if (m_target == nullptr) {
        return FALSE;
    }
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    if (left == right || top == bottom) {
        return TRUE;
    }
    const int w = m_penValue.IsNull() ? 0 : m_penValue.Width();
    // The outline path runs through the last column and row inside.
    const int pathLeft = left;
    const int pathTop = top;
    const int pathRight = right - 1;
    const int pathBottom = bottom - 1;

    if (!m_brushValue.IsNull()) {
        m_target->FillRect(pathLeft + (w + 1) / 2, pathTop + (w + 1) / 2, pathRight - w / 2, pathBottom - w / 2,
                           m_brushValue.Color());
    }
    if (w == 0) {
        return TRUE;
    }
    // Each side is a band w wide starting w/2 before the path.
    const int l0 = pathLeft - w / 2;
    const int t0 = pathTop - w / 2;
    const int r0 = pathRight - w / 2;
    const int b0 = pathBottom - w / 2;
    const int h = w / 2;  // outer corner block size beyond the path band centre
    // Straight parts, leaving out the outer corner blocks.
    DrawPenBand(l0 + h, t0, r0 + w - h, t0 + w);        // top
    DrawPenBand(l0 + h, b0, r0 + w - h, b0 + w);        // bottom
    DrawPenBand(l0, t0 + h, l0 + w, b0 + w - h);        // left
    DrawPenBand(r0, t0 + h, r0 + w, b0 + w - h);        // right
    // Corner blocks, rounded around the path corners.
    const double radius = w / 2.0;
    const double cl = l0 + radius;
    const double ct = t0 + radius;
    const double cr = r0 + radius;
    const double cb = b0 + radius;
    DrawCornerBlock(l0, t0, l0 + h, t0 + h, cl, ct, radius);
    DrawCornerBlock(r0 + w - h, t0, r0 + w, t0 + h, cr, ct, radius);
    DrawCornerBlock(l0, b0 + w - h, l0 + h, b0 + w, cl, cb, radius);
    DrawCornerBlock(r0 + w - h, b0 + w - h, r0 + w, b0 + w, cr, cb, radius);
    return TRUE;
}

BOOL CDC::Rectangle(const RECT* rect)
{
    return rect != nullptr ? Rectangle(rect->left, rect->top, rect->right, rect->bottom) : FALSE;
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    if (m_target != nullptr) {
        m_target->FillRect(x, y, x + cx, y + cy, color);
    }
}

void CDC::FillSolidRect(const RECT* rect, COLORREF color)
{
    if (rect != nullptr) {
        FillSolidRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, color);
    }
}

COLORREF CDC::GetPixel(int x, int y) const
{
    if (m_reader) {
        return m_reader(x, y);
    }
    return m_target != nullptr ? m_target->GetPixel(x, y) : CLR_INVALID;
}

COLORREF CDC::GetPixel(POINT point) const
{
    return GetPixel(point.x, point.y);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    if (m_target == nullptr || !m_target->Contains(x, y)) {
        return CLR_INVALID;
    }
    m_target->SetPixel(x, y, color);
    return color & 0x00FFFFFF;
}

}  // namespace platform
