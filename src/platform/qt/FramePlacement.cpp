#include "platform/qt/FramePlacement.h"

#include "platform/qt/WindowSystem.h"

#include <QDateTime>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace platform::detail {

namespace {

constexpr const char* kRequested = "lumivaneRequestedFrame";
constexpr const char* kRequestedAt = "lumivaneRequestedFrameAt";
// Where the client area went when the frame was put in place.
constexpr const char* kPlacedClient = "lumivanePlacedClient";
// How long the window system may take to place a window before its own
// idea of the place counts again (a window manager may refuse a place).
constexpr qint64 kPlacementWaitMs = 1000;

bool FrameKnown(const QWidget* window)
{
    // A frameless window's frame, if any, is its own.
    const QWindow* handle = window->windowHandle();
    return handle != nullptr && (!handle->frameMargins().isNull() || (handle->flags() & Qt::FramelessWindowHint));
}

bool PlacementPending(const QWidget* window)
{
    return window->property(kRequested).isValid() &&
           QDateTime::currentMSecsSinceEpoch() - window->property(kRequestedAt).toLongLong() <= kPlacementWaitMs;
}

void RememberPlacedClient(QWidget* window)
{
    window->setProperty(kPlacedClient, FrameKnown(window) ? QVariant(window->geometry().topLeft()) : QVariant());
}

// The frame as the window system has it now: a widget's own idea of its
// frame is refreshed only when the widget moves or resizes, and the frame
// can change while the client area stays put.
QRect CurrentFrame(QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    return handle != nullptr ? handle->frameGeometry() : window->frameGeometry();
}

// Until the placement is settled, the frame goes where it was asked to when
// the window manager's idea of the frame changes under a client area that
// stayed put: the frame arrives after the window is shown, and after full
// screen the frame's size comes back late. A client area that moved was
// moved by the window manager or the user, and stays. False once settled.
bool Settle(QWidget* window)
{
    if (!PlacementPending(window)) {
        return false;
    }
    if (FrameKnown(window)) {
        const QPoint requested = window->property(kRequested).toPoint();
        const QVariant placed = window->property(kPlacedClient);
        if (CurrentFrame(window).topLeft() != requested &&
            (!placed.isValid() || placed.toPoint() == window->geometry().topLeft())) {
            window->move(requested);
            RememberPlacedClient(window);
        }
    }
    return true;
}

// Settles at once when the window is shown, moved or resized.
class FrameArrival : public QObject {
public:
    static FrameArrival& Instance()
    {
        static FrameArrival* instance = new FrameArrival;
        return *instance;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if ((event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show) &&
            !Settle(static_cast<QWidget*>(watched))) {
            watched->removeEventFilter(this);
        }
        return false;
    }
};

// A frame that changes under a still client area sends the widget no event
// (leaving full screen, openbox gives the frame back later): it is looked at
// every few milliseconds until the placement is settled.
constexpr const char* kSettleTimer = "lumivaneFrameSettleTimer";
constexpr int kSettleCheckMs = 20;

void WatchUntilSettled(QWidget* window)
{
    window->installEventFilter(&FrameArrival::Instance());
    if (window->findChild<QTimer*>(kSettleTimer, Qt::FindDirectChildrenOnly) != nullptr) {
        return;
    }
    auto* timer = new QTimer(window);
    timer->setObjectName(kSettleTimer);
    QObject::connect(timer, &QTimer::timeout, window, [window, timer] {
        if (!Settle(window)) {
            // Unnamed at once: a placement asked for meanwhile starts its own.
            timer->setObjectName(QString());
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(kSettleCheckMs);
}

}  // namespace

void MoveFrameTo(QWidget* window, const QPoint& topLeft)
{
    window->move(topLeft);
    if (QWindow* handle = window->windowHandle(); handle != nullptr && !window->isVisible()) {
        // Not shown yet: the frame's corner for the window system (north-west
        // gravity: the window manager puts the frame there when it maps it).
        handle->setFramePosition(topLeft);
    } else if (window->isVisible() && !OnWayland()) {
        // (On Wayland the compositor alone places windows.)
        WatchUntilSettled(window);
    }
    window->setProperty(kRequested, topLeft);
    window->setProperty(kRequestedAt, QDateTime::currentMSecsSinceEpoch());
    RememberPlacedClient(window);
}

QRect FrameRect(QWidget* window)
{
    QRect frame = CurrentFrame(window);
    const QVariant requested = window->property(kRequested);
    if (!requested.isValid()) {
        return frame;
    }
    if (!PlacementPending(window)) {
        window->setProperty(kRequested, QVariant());
        window->setProperty(kRequestedAt, QVariant());
        window->setProperty(kPlacedClient, QVariant());
        return frame;
    }
    // Asked for and perhaps not placed yet: where it is going.
    frame.moveTopLeft(requested.toPoint());
    return frame;
}

}  // namespace platform::detail
