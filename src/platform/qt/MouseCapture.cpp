#include "platform/ui/MouseCapture.h"

#include "platform/qt/CursorClipFilter.h"
#include "platform/qt/HwndWidget.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace platform {
namespace {

struct CaptureState {
    QPointer<QWidget> captured;
    bool hasClip = false;
    RECT clip;
    QPointer<CursorClipFilter> filter;
};

CaptureState& State()
{
    static CaptureState state;
    return state;
}

void Grab(QWidget* widget)
{
    if (widget && widget->isVisible())
        widget->grabMouse();
}

void Ungrab(QWidget* widget)
{
    if (widget && QWidget::mouseGrabber() == widget)
        widget->releaseMouse();
}

}  // namespace

HWND SetCapture(HWND window)
{
    CaptureState& state = State();
    QWidget* previous = state.captured.data();
    QWidget* widget = WidgetFromHwnd(window);
    if (previous != widget) {
        Ungrab(previous);
        state.captured = widget;
        Grab(widget);
    }
    return HwndFromWidget(previous);
}

BOOL ReleaseCapture()
{
    CaptureState& state = State();
    Ungrab(state.captured.data());
    state.captured = nullptr;
    return TRUE;
}

HWND GetCapture()
{
    return HwndFromWidget(State().captured.data());
}

BOOL ClipCursor(const RECT* screenRect)
{
    CaptureState& state = State();
    if (!screenRect) {
        state.hasClip = false;
        delete state.filter.data();
        return TRUE;
    }
    state.hasClip = true;
    state.clip = *screenRect;
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app) {
        if (!state.filter) {
            state.filter = new CursorClipFilter(app);
            app->installEventFilter(state.filter);
        }
        CursorClipFilter::Enforce(state.clip);
    }
    return TRUE;
}

BOOL GetClipCursor(RECT* rect)
{
    if (!rect)
        return FALSE;
    if (const auto clip = CursorClip()) {
        *rect = *clip;
        return TRUE;
    }
    *rect = RECT{};
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect all = screen->virtualGeometry();
            *rect = RECT{all.left(), all.top(), all.left() + all.width(), all.top() + all.height()};
        }
    }
    return TRUE;
}

std::optional<RECT> CursorClip()
{
    const CaptureState& state = State();
    if (!state.hasClip)
        return std::nullopt;
    return state.clip;
}

POINT ClampToRect(POINT point, const RECT& rect)
{
    const LONG right = std::max(rect.left, rect.right - 1);
    const LONG bottom = std::max(rect.top, rect.bottom - 1);
    return POINT{std::clamp(point.x, rect.left, right), std::clamp(point.y, rect.top, bottom)};
}

}  // namespace platform
