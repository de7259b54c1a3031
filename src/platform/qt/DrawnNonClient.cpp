#include "platform/qt/DrawnNonClient.h"
#include "platform/qt/CaptionBar.h"
#include "platform/qt/EdgePainter.h"
#include "platform/qt/WindowSystem.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace platform::detail {

namespace {

// The dialog frame's three rings.
constexpr int kFrameWidth = 3;
// The line of face colour between the caption and the client area.
constexpr int kCaptionLine = 1;

// The frame drawn over the window's edges, above every control (the mouse
// goes through it), and the caption bar placed inside it; both step aside
// in full screen.
class DrawnFrame final : public QWidget {
public:
    DrawnFrame(QWidget* window, bool frame, CaptionBar* caption)
        : QWidget(window), m_frame(frame ? kFrameWidth : 0), m_caption(caption)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents, true);
        setFocusPolicy(Qt::NoFocus);
        window->installEventFilter(this);
        Apply();
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Resize:
            Place();
            break;
        case QEvent::WindowStateChange:
            Apply();
            break;
        case QEvent::ChildAdded:
        case QEvent::Show:
            raise();
            break;
        default:
            break;
        }
        return false;
    }

    void paintEvent(QPaintEvent* /*event*/) override
    {
        if (m_frame == 0)
            return;
        QPainter painter(this);
        PaintEdges(painter, rect(), 0, WS_EX_DLGMODALFRAME);
    }

private:
    void Apply()
    {
        QWidget* window = parentWidget();
        const bool shown = !window->isFullScreen();
        const int top = m_frame + (m_caption != nullptr ? m_caption->BarHeight() + kCaptionLine : 0);
        window->setContentsMargins(shown ? QMargins(m_frame, top, m_frame, m_frame) : QMargins());
        setVisible(shown);
        if (m_caption != nullptr)
            m_caption->setVisible(shown);
        Place();
    }

    void Place()
    {
        QWidget* window = parentWidget();
        setGeometry(window->rect());
        if (m_caption != nullptr) {
            m_caption->setGeometry(m_frame, m_frame, window->width() - 2 * m_frame, m_caption->BarHeight());
        }
        raise();
    }

    int m_frame;
    CaptionBar* m_caption;
};

}  // namespace

Qt::WindowFlags DrawnNonClientFlags(Qt::WindowFlags asked)
{
    return OnWayland() ? (asked & Qt::WindowType_Mask) | Qt::FramelessWindowHint : asked;
}

void DrawNonClientArea(QWidget* window, bool frame, DrawnCaption caption)
{
    if (window == nullptr || !OnWayland() || (!frame && caption == DrawnCaption::None))
        return;
    CaptionBar* bar = caption == DrawnCaption::None ? nullptr : new CaptionBar(window, caption == DrawnCaption::Small);
    new DrawnFrame(window, frame, bar);
}

}  // namespace platform::detail
