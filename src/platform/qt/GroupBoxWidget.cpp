#include "platform/qt/GroupBoxWidget.h"
#include "platform/ui/Dlu.h"
#include "platform/ui/UiConstants.h"
#include "platform/qt/EdgePainter.h"

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
    // Windows puts the frame half the dialog font's height, less one, below
    // the top. That font's height is the base unit, whatever font stands in
    // for it here, so a box as low as a rule (8 pixels) still shows its line.
    const int top = client.top() + kDialogBaseUnitY / 2 - 1;
    const QRect frame(client.left(), top, client.width(), client.bottom() + 1 - top);
    if (frame.width() >= 2 && frame.height() >= 2) {
        PaintEtchedFrame(painter, frame);
    }
    const QFontMetrics metrics(font());
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
