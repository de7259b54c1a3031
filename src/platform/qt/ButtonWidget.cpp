#include "platform/qt/ButtonWidget.h"
#include "platform/qt/PixelAlignedPen.h"
#include "platform/ui/UiConstants.h"
#include "platform/qt/EdgePainter.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace platform::detail {

ButtonWidget::ButtonWidget(const ControlTemplate& tpl, QWidget* parent)
    : QPushButton(parent), m_flat((tpl.style & BS_FLAT) != 0), m_bitmap((tpl.style & BS_BITMAP) != 0)
{
    setAutoDefault(false);
}

void ButtonWidget::SetFace(const QPixmap& face)
{
    m_face = face;
    setIcon(QIcon(face));
    setIconSize(face.size());
    update();
}

void ButtonWidget::paintEvent(QPaintEvent* event)
{
    if (m_flat) {
        PaintFlat();
    } else {
        QPushButton::paintEvent(event);
    }
}

QPixmap ButtonWidget::DisabledFace() const
{
    // The style greys the face from the widget's palette, so it needs an
    // option describing this button (it reads the palette through it).
    QStyleOption option;
    option.initFrom(this);
    return style()->generatedIconPixmap(QIcon::Disabled, m_face, &option);
}

void ButtonWidget::PaintFlat()
{
    QPainter p(this);
    const QRect r = rect();
    const bool pushed = isDown();
    const bool checked = isChecked() && !pushed;
    QColor face = ToQColor(kDialogFaceColor);
    if (checked) {
        face = QColor(234, 232, 228);
    }
    p.fillRect(r, face);
    const QColor dark(64, 64, 64);
    p.save();
    qt::AlignPenToPixels(p);
    p.setPen(qt::OutlinePen(pushed || checked ? dark : ToQColor(GetSysColor(COLOR_BTNSHADOW))));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (isDefault()) {
        p.setPen(qt::OutlinePen(dark));
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
    p.restore();
    const int shift = pushed || checked ? 1 : 0;
    const QRect content = r.adjusted(2 + shift, 2 + shift, -2 + shift, -2 + shift);
    if (m_bitmap && !m_face.isNull()) {
        const QPixmap pixmap = isEnabled() ? m_face : DisabledFace();
        p.drawPixmap(content.left() + (content.width() - pixmap.width()) / 2,
                     content.top() + (content.height() - pixmap.height()) / 2, pixmap);
    } else if (!m_bitmap) {
        const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
        if (isEnabled()) {
            p.setPen(palette().color(QPalette::ButtonText));
            p.drawText(content, flags, text());
        } else {
            // The embossed grey text of disabled controls.
            p.setPen(Qt::white);
            p.drawText(content.translated(1, 1), flags, text());
            p.setPen(ToQColor(GetSysColor(COLOR_BTNSHADOW)));
            p.drawText(content, flags, text());
        }
    }
    if (hasFocus()) {
        qt::AlignPenToPixels(p);
        p.setPen(qt::OutlinePen(Qt::black, Qt::DotLine));
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

}  // namespace platform::detail
