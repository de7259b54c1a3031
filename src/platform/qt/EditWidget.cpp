#include "platform/qt/EditWidget.h"
#include "platform/qt/EdgePainter.h"

#include <QPainter>
#include <QRegularExpressionValidator>

namespace platform::detail {

EditWidget::EditWidget(const ControlTemplate& tpl, QWidget* parent)
    : QLineEdit(parent), m_edgeStyle(EdgeStyleBits(tpl.cls, tpl.style)), m_exStyle(tpl.exStyle)
{
    setFrame(false);
    const int e = EdgeWidth(m_edgeStyle, m_exStyle);
    setContentsMargins(e, e, e, e);
    setTextMargins(1, 0, 1, 0);
    if (tpl.style & ES_NUMBER) {
        setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    }
}

void EditWidget::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    PaintEdges(painter, rect(), m_edgeStyle, m_exStyle);
}

}  // namespace platform::detail
