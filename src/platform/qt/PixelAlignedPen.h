#pragma once
// Lines of the one-pixel pen on whole pixels at any scale. Such a pen is
// centred on the coordinate it is given, so on a screen of two device pixels
// a pixel it straddles two logical pixels: half of the line is clipped or
// lands on its neighbour, and bevels come out one device pixel thin and off
// by one. Half a logical pixel puts the pen squarely on the pixel it names.
// At 1x the pen already covers whole pixels, and the dotted focus rectangle
// keeps the phase of its dots, so nothing moves there.

#include <QPaintDevice>
#include <QColor>
#include <QPainter>
#include <QPen>

namespace platform::qt {

// For a painter that draws only lines and outlines until it is restored:
// call after save(). Fills and text keep their own coordinates.
inline void AlignPenToPixels(QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    if (device != nullptr && device->devicePixelRatioF() != 1.0)
        painter.translate(0.5, 0.5);
}

// The pen for a rectangle's outline: mitred, since the bevelled join of a
// plain pen cuts the corner pixel off once the pen is two device pixels wide.
inline QPen OutlinePen(const QColor& color, Qt::PenStyle style = Qt::SolidLine)
{
    return QPen(color, 1, style, Qt::SquareCap, Qt::MiterJoin);
}

}  // namespace platform::qt
