#include "platform/qt/IconWidget.h"

#include <QPainter>

namespace platform::detail {

IconWidget::IconWidget(const ControlTemplate& tpl, QWidget* parent) : StaticBase(tpl, parent) {}

void IconWidget::SetPixmap(const QPixmap& pixmap)
{
    m_pixmap = pixmap;
    update();
}

void IconWidget::PaintClient(QPainter& painter, const QRect& client)
{
    if (m_pixmap.isNull()) {
        return;
    }
    const QPoint at(client.left() + (client.width() - m_pixmap.width()) / 2,
                    client.top() + (client.height() - m_pixmap.height()) / 2);
    painter.drawPixmap(at, m_pixmap);
}

}  // namespace platform::detail
