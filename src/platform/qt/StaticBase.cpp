#include "platform/qt/StaticBase.h"
#include "platform/qt/EdgePainter.h"

#include <QPainter>

namespace platform::detail {

StaticBase::StaticBase(const ControlTemplate& tpl, QWidget* parent)
    : QWidget(parent), m_style(tpl.style), m_exStyle(tpl.exStyle), m_edgeStyle(EdgeStyleBits(tpl.cls, tpl.style))
{
    const bool notify = tpl.cls == ControlClass::Static && (tpl.style & SS_NOTIFY) != 0;
    setAttribute(Qt::WA_TransparentForMouseEvents, !notify);
    setFocusPolicy(Qt::NoFocus);
}

QRect StaticBase::ClientRect() const
{
    const int e = EdgeWidth(m_edgeStyle, m_exStyle);
    return rect().adjusted(e, e, -e, -e);
}

void StaticBase::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintClient(painter, ClientRect());
    PaintEdges(painter, rect(), m_edgeStyle, m_exStyle);
}

}  // namespace platform::detail
