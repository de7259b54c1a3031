#include "platform/qt/PictureWidget.h"
#include "platform/ui/UiConstants.h"
#include "platform/qt/PictureConvert.h"

#include <QImage>
#include <QPainter>

namespace platform::detail {

PictureWidget::PictureWidget(const ControlTemplate& tpl, QWidget* parent) : StaticBase(tpl, parent) {}

const logo::Picture* PictureWidget::SetPicture(const logo::Picture* picture)
{
    const logo::Picture* previous = m_shown;
    m_shown = picture;
    MarkDirty();
    return previous;
}

void PictureWidget::SetOwnedPicture(logo::Picture picture)
{
    m_owned = std::move(picture);
    SetPicture(&*m_owned);
}

void PictureWidget::MarkDirty()
{
    m_dirty = true;
    update();
}

void PictureWidget::RenderIfDirty()
{
    const QRect client = ClientRect();
    const int w = std::max(client.width(), 0);
    const int h = std::max(client.height(), 0);
    if (!m_dirty && m_buffer.Width() == w && m_buffer.Height() == h) {
        return;
    }
    m_dirty = false;
    if (m_buffer.Width() != w || m_buffer.Height() != h) {
        m_buffer.Reset(w, h, kDialogFaceColor);
    }
    ComposeCentred(m_shown, m_buffer, kDialogFaceColor);
}

COLORREF PictureWidget::ReadShownPixel(int x, int y)
{
    RenderIfDirty();
    return m_buffer.GetPixel(x, y);
}

void PictureWidget::PaintClient(QPainter& painter, const QRect& client)
{
    RenderIfDirty();
    if (m_buffer.Width() == 0 || m_buffer.Height() == 0) {
        return;
    }
    const QImage image(reinterpret_cast<const uchar*>(m_buffer.Data()), m_buffer.Width(), m_buffer.Height(),
                       m_buffer.Width() * 4, QImage::Format_RGB32);
    painter.drawImage(client.topLeft(), image);
}

}  // namespace platform::detail
