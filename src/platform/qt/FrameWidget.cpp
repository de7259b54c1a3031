#include "platform/qt/FrameWidget.h"
#include "platform/qt/PixelAlignedPen.h"
#include "platform/ui/UiConstants.h"
#include "platform/qt/EdgePainter.h"

#include <QPainter>

namespace platform::detail {

FrameWidget::FrameWidget(const ControlTemplate& tpl, QWidget* parent) : StaticBase(tpl, parent) {}

void FrameWidget::PaintClient(QPainter& painter, const QRect& client)
{
    if (client.isEmpty()) {
        return;
    }
    painter.save();
    qt::AlignPenToPixels(painter);
    switch (Style() & SS_TYPEMASK) {
    case SS_BLACKFRAME:
        painter.setPen(qt::OutlinePen(Qt::black));
        painter.drawRect(client.adjusted(0, 0, -1, -1));
        break;
    case SS_ETCHEDHORZ:
        painter.setPen(ToQColor(GetSysColor(COLOR_BTNSHADOW)));
        painter.drawLine(client.left(), client.top(), client.right(), client.top());
        painter.setPen(ToQColor(GetSysColor(COLOR_BTNHIGHLIGHT)));
        painter.drawLine(client.left(), client.top() + 1, client.right(), client.top() + 1);
        break;
    default:
        break;
    }
    painter.restore();
}

}  // namespace platform::detail
