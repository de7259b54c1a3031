#include "platform/qt/LabelWidget.h"
#include "platform/ui/UiConstants.h"
#include "platform/qt/EdgePainter.h"
#include "platform/qt/TextConvert.h"

#include <QPainter>

namespace platform::detail {

namespace {
constexpr DWORD SS_RIGHT = 0x2;
constexpr DWORD SS_NOPREFIX = 0x80;
}  // namespace

LabelWidget::LabelWidget(const ControlTemplate& tpl, QWidget* parent)
    : QLabel(parent),
      m_edgeStyle(EdgeStyleBits(tpl.cls, tpl.style)),
      m_exStyle(tpl.exStyle),
      m_noPrefix((tpl.style & SS_NOPREFIX) != 0)
{
    const DWORD type = tpl.style & SS_TYPEMASK;
    Qt::Alignment align = Qt::AlignTop | Qt::AlignLeft;
    if (type == SS_CENTER) {
        align = Qt::AlignTop | Qt::AlignHCenter;
    } else if (type == SS_RIGHT) {
        align = Qt::AlignTop | Qt::AlignRight;
    }
    setAlignment(align);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    const int e = EdgeWidth(m_edgeStyle, m_exStyle);
    setContentsMargins(e, e, e, e);
    setAttribute(Qt::WA_TransparentForMouseEvents, (tpl.style & SS_NOTIFY) == 0);
    setFocusPolicy(Qt::NoFocus);
}

void LabelWidget::SetCaption(const QString& text)
{
    m_caption = text;
    Refresh();
}

void LabelWidget::SetMnemonicTarget(QWidget* target)
{
    m_target = target;
    Refresh();
}

void LabelWidget::Refresh()
{
    if (!m_noPrefix && m_target != nullptr && HasMnemonic(m_caption)) {
        setText(m_caption);
        setBuddy(m_target);
    } else {
        setBuddy(nullptr);
        setText(m_noPrefix ? m_caption : StripMnemonics(m_caption));
    }
}

void LabelWidget::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    QPainter painter(this);
    PaintEdges(painter, rect(), m_edgeStyle, m_exStyle);
}

}  // namespace platform::detail
