#include "platform/qt/EdgePainter.h"
#include "platform/qt/PixelAlignedPen.h"
#include "platform/ui/UiConstants.h"

#include <QPainter>

namespace platform::detail {

namespace {

bool HasStaticEdge(DWORD style, DWORD exStyle)
{
    // style has been through EdgeStyleBits, so SS_SUNKEN is a static's.
    return (exStyle & WS_EX_STATICEDGE) != 0 || (style & SS_SUNKEN) != 0;
}

// One ring of an edge: top and left in one colour, bottom and right in another.
void Ring(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    p.setPen(topLeft);
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    p.setPen(bottomRight);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

}  // namespace

DWORD EdgeStyleBits(ControlClass cls, DWORD style)
{
    const DWORD mask = cls == ControlClass::Static ? (WS_BORDER | SS_SUNKEN) : WS_BORDER;
    return style & mask;
}

QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

int EdgeWidth(DWORD style, DWORD exStyle)
{
    int width = 0;
    if (exStyle & WS_EX_DLGMODALFRAME) {
        width += 3;
    }
    if (style & WS_BORDER) {
        width += 1;
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        width += 2;
    }
    if (HasStaticEdge(style, exStyle)) {
        width += 1;
    }
    return width;
}

void PaintEtchedFrame(QPainter& p, const QRect& rect)
{
    const QColor shadow = ToQColor(GetSysColor(COLOR_BTNSHADOW));
    const QColor highlight = ToQColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    p.save();
    qt::AlignPenToPixels(p);
    // Outer ring sunken, inner ring raised; the inner top and left lines go
    // last, so where the rings meet the highlight lies under the shadow line.
    Ring(p, rect, shadow, highlight);
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    if (inner.isValid()) {
        p.setPen(shadow);
        p.drawLine(inner.left(), inner.bottom(), inner.right(), inner.bottom());
        p.drawLine(inner.right(), inner.top(), inner.right(), inner.bottom());
        p.setPen(highlight);
        p.drawLine(inner.left(), inner.top(), inner.right() - 1, inner.top());
        p.drawLine(inner.left(), inner.top(), inner.left(), inner.bottom() - 1);
    } else {
        p.setPen(highlight);
        p.drawLine(rect.left() + 1, rect.top() + 1, rect.right() - 1, rect.top() + 1);
    }
    p.restore();
}

void PaintEdges(QPainter& p, const QRect& rect, DWORD style, DWORD exStyle)
{
    const QColor face = ToQColor(GetSysColor(COLOR_BTNFACE));
    const QColor shadow = ToQColor(GetSysColor(COLOR_BTNSHADOW));
    const QColor highlight = ToQColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    const QColor darkShadow(64, 64, 64);
    QRect r = rect;
    p.save();
    qt::AlignPenToPixels(p);
    if (exStyle & WS_EX_DLGMODALFRAME) {
        Ring(p, r, face, darkShadow);
        r.adjust(1, 1, -1, -1);
        Ring(p, r, highlight, shadow);
        r.adjust(1, 1, -1, -1);
        Ring(p, r, face, face);
        r.adjust(1, 1, -1, -1);
    }
    if (style & WS_BORDER) {
        Ring(p, r, Qt::black, Qt::black);
        r.adjust(1, 1, -1, -1);
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        Ring(p, r, shadow, highlight);
        r.adjust(1, 1, -1, -1);
        Ring(p, r, darkShadow, face);
        r.adjust(1, 1, -1, -1);
    }
    if (HasStaticEdge(style, exStyle)) {
        Ring(p, r, shadow, highlight);
    }
    p.restore();
}

void PaintButtonEdge(QPainter& p, const QRect& rect, bool pushed)
{
    const QColor face = ToQColor(GetSysColor(COLOR_BTNFACE));
    const QColor shadow = ToQColor(GetSysColor(COLOR_BTNSHADOW));
    const QColor highlight = ToQColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    const QColor darkShadow(64, 64, 64);
    p.save();
    qt::AlignPenToPixels(p);
    if (pushed) {
        Ring(p, rect, darkShadow, highlight);
        Ring(p, rect.adjusted(1, 1, -1, -1), shadow, face);
    } else {
        Ring(p, rect, highlight, darkShadow);
        Ring(p, rect.adjusted(1, 1, -1, -1), face, shadow);
    }
    p.restore();
}

}  // namespace platform::detail
