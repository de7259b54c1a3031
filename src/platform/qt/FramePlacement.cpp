#include "platform/qt/FramePlacement.h"

#include <QDateTime>
#include <QEvent>
#include <QObject>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace platform::detail {

namespace {

constexpr const char* kRequested = "lumivaneRequestedFrame";
constexpr const char* kRequestedAt = "lumivaneRequestedFrameAt";
// How long the window system may take to place a window before its own
// idea of the place counts again (a window manager may refuse a place).
constexpr qint64 kPlacementWaitMs = 1000;

bool FrameKnown(const QWidget* window)
{
    // A frameless window's frame, if any, is its own.
    const QWindow* handle = window->windowHandle();
    return handle != nullptr && (!handle->frameMargins().isNull() || (handle->flags() & Qt::FramelessWindowHint));
}

// A window shown and not yet framed by the window manager was placed by its
// client area; once the frame arrives, the frame goes where it was asked to.
class FrameArrival : public QObject {
public:
    static FrameArrival& Instance()
    {
        static FrameArrival* instance = new FrameArrival;
        return *instance;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Move && event->type() != QEvent::Resize && event->type() != QEvent::Show) {
            return false;
        }
        auto* window = static_cast<QWidget*>(watched);
        const QVariant requested = window->property(kRequested);
        if (!requested.isValid()) {
            window->removeEventFilter(this);
        } else if (FrameKnown(window)) {
            window->removeEventFilter(this);
            if (window->frameGeometry().topLeft() != requested.toPoint()) {
                window->move(requested.toPoint());
            }
        }
        return false;
    }
};

}  // namespace

void MoveFrameTo(QWidget* window, const QPoint& topLeft)
{
    window->move(topLeft);
    if (QWindow* handle = window->windowHandle(); handle != nullptr && !window->isVisible()) {
        // Not shown yet: the frame's corner for the window system (north-west
        // gravity: the window manager puts the frame there when it maps it).
        handle->setFramePosition(topLeft);
    } else if (window->isVisible() && !FrameKnown(window)) {
        window->installEventFilter(&FrameArrival::Instance());
    }
    window->setProperty(kRequested, topLeft);
    window->setProperty(kRequestedAt, QDateTime::currentMSecsSinceEpoch());
}

QRect FrameRect(QWidget* window)
{
    QRect frame = window->frameGeometry();
    const QVariant requested = window->property(kRequested);
    if (!requested.isValid()) {
        return frame;
    }
    const qint64 waited = QDateTime::currentMSecsSinceEpoch() - window->property(kRequestedAt).toLongLong();
    if ((frame.topLeft() == requested.toPoint() && FrameKnown(window)) || waited > kPlacementWaitMs) {
        window->setProperty(kRequested, QVariant());
        window->setProperty(kRequestedAt, QVariant());
        return frame;
    }
    // Asked for and not placed yet: where it is going.
    frame.moveTopLeft(requested.toPoint());
    return frame;
}

}  // namespace platform::detail
