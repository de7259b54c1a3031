#include "platform/ui/detail/GroupBoxWidget.h"
#include "platform/ui/UiConstants.h"
#include "platform/ui/detail/EdgePainter.h"

#include <QPainter>
#include <QStyle>

namespace platform::detail {

GroupBoxWidget::GroupBoxWidget(const ControlTemplate& tpl, QWidget* parent) : StaticBase(tpl, parent)
{
    // Group boxes never take the mouse, whatever their style.
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

void GroupBoxWidget::SetCaption(const QString& text)
{
    m_text = text;
    update();
}

void GroupBoxWidget::PaintClient(QPainter& painter, const QRect& client)
{
    const QFontMetrics metrics(font());
    const int top = client.top() + metrics.height() / 2;
    const QRect frame(client.left(), top, client.width() - 1, client.bottom() - top);
    if (frame.width() > 1 && frame.height() > 0) {
        painter.setPen(ToQColor(GetSysColor(COLOR_BTNSHADOW)));
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
        painter.setPen(ToQColor(GetSysColor(COLOR_BTNHIGHLIGHT)));
        painter.drawRect(frame.adjusted(1, 1, 0, 0));
    }
    if (m_text.isEmpty()) {
        return;
    }
    const int textLeft = client.left() + 9;
    const QString shown = m_text;
    const QRect textRect(textLeft, client.top(), metrics.horizontalAdvance(shown) + 4, metrics.height());
    painter.fillRect(textRect, ToQColor(kDialogFaceColor));
    style()->drawItemText(&painter, textRect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic,
                          palette(), isEnabled(), shown, QPalette::WindowText);
}

}  // namespace platform::detail
