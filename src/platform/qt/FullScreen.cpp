#include "platform/ui/FullScreen.h"
#include "platform/qt/HwndWidget.h"
#include "platform/qt/FramePlacement.h"
#include "platform/qt/WindowSystem.h"
#include "platform/ui/CWnd.h"

#include <QScreen>
#include <QWidget>

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

BOOL GetWorkArea(const CWnd& window, RECT* area)
{
    QWidget* widget = WidgetOf(&window);
    QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
    if (area == nullptr || screen == nullptr)
        return FALSE;
    const QRect available = screen->availableGeometry();
    *area = RECT{available.left(), available.top(), available.left() + available.width(),
                 available.top() + available.height()};
    return TRUE;
}

}  // namespace platform
