#include "platform/ui/FullScreen.h"
#include "platform/qt/HwndWidget.h"
#include "platform/qt/FramePlacement.h"
#include "platform/qt/WindowSystem.h"
#include "platform/ui/CWnd.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

// What a window had before it went full screen.
constexpr const char* kNormalMinimum = "lumivaneNormalMinimum";
constexpr const char* kNormalMaximum = "lumivaneNormalMaximum";
constexpr const char* kNormalFrame = "lumivaneNormalFrame";

}  // namespace

BOOL SetFullScreen(CWnd& window, BOOL fullScreen)
{
    QWidget* widget = WidgetOf(&window);
    if (widget == nullptr || !widget->isWindow()) {
        return FALSE;
    }
    if ((fullScreen != FALSE) == widget->isFullScreen()) {
        return TRUE;
    }
    if (fullScreen) {
        // Dialogs keep a fixed size; the screen's size must be allowed first.
        widget->setProperty(kNormalMinimum, widget->minimumSize());
        widget->setProperty(kNormalMaximum, widget->maximumSize());
        widget->setProperty(kNormalFrame, detail::FrameRect(widget).topLeft());
        widget->setMinimumSize(0, 0);
        widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        widget->showFullScreen();
    } else {
        widget->showNormal();
        widget->setMinimumSize(widget->property(kNormalMinimum).toSize());
        widget->setMaximumSize(widget->property(kNormalMaximum).toSize());
        // A window manager may put the window back at the screen's corner,
        // its title bar above the screen (openbox does); where placing is
        // possible the frame goes back where it was.
        if (!detail::OnWayland())
            detail::MoveFrameTo(widget, widget->property(kNormalFrame).toPoint());
    }
    widget->activateWindow();
    return TRUE;
}

BOOL IsFullScreen(const CWnd& window)
{
    QWidget* widget = WidgetOf(&window);
    return widget != nullptr && widget->isWindow() && widget->isFullScreen() ? TRUE : FALSE;
}

namespace {

BOOL WorkAreaOf(const QScreen* screen, RECT* area)
{
    if (area == nullptr || screen == nullptr)
        return FALSE;
    const QRect available = screen->availableGeometry();
    *area = RECT{available.left(), available.top(), available.left() + available.width(),
                 available.top() + available.height()};
    return TRUE;
}

// How far a point is outside a rectangle (0 inside), for the nearest screen.
qint64 DistanceOutside(const QPoint& point, const QRect& rect)
{
    const qint64 dx = std::max({rect.left() - point.x(), point.x() - rect.right(), 0});
    const qint64 dy = std::max({rect.top() - point.y(), point.y() - rect.bottom(), 0});
    return dx * dx + dy * dy;
}

}  // namespace

BOOL GetWorkArea(const CWnd& window, RECT* area)
{
    QWidget* widget = WidgetOf(&window);
    return WorkAreaOf(widget != nullptr ? widget->screen() : nullptr, area);
}

BOOL GetWorkAreaAt(POINT point, RECT* area)
{
    const QPoint at(point.x, point.y);
    const QScreen* nearest = nullptr;
    qint64 nearestDistance = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const qint64 distance = DistanceOutside(at, screen->geometry());
        if (nearest == nullptr || distance < nearestDistance) {
            nearest = screen;
            nearestDistance = distance;
        }
    }
    return WorkAreaOf(nearest, area);
}

}  // namespace platform
