#pragma once
// The 3-D edges of controls (WS_EX_CLIENTEDGE, WS_EX_STATICEDGE, SS_SUNKEN,
// WS_BORDER, WS_EX_DLGMODALFRAME) in the classic grey scheme. The edges
// are outside the client area, as Windows draws them in the non-client area.

#include "platform/ui/DialogTemplate.h"
#include "platform/WinTypes.h"

#include <QColor>
#include <QRect>

class QPainter;

namespace platform::detail {

QColor ToQColor(COLORREF color);

// The style bits that mean edges for a control of this class (SS_SUNKEN's
// bit means something else for buttons and edits).
DWORD EdgeStyleBits(ControlClass cls, DWORD style);

// Width in pixels of the edges on each side.
int EdgeWidth(DWORD style, DWORD exStyle);
// The etched frame of a group box (EDGE_ETCHED) along the inside of rect: a
// shadow line with a highlight line inside it. A rect two or three pixels
// high comes out as one etched horizontal line.
void PaintEtchedFrame(QPainter& painter, const QRect& rect);
// Paints the edges inside rect (the control's whole area).
void PaintEdges(QPainter& painter, const QRect& rect, DWORD style, DWORD exStyle);
// A push button's two rings inside rect, raised or (pushed) sunken.
void PaintButtonEdge(QPainter& painter, const QRect& rect, bool pushed);

}  // namespace platform::detail
