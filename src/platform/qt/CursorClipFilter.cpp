#include "platform/qt/CursorClipFilter.h"

#include "platform/ui/MouseCapture.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>

#include <optional>

namespace platform {
namespace {

std::optional<bool>& ImposedPointerMoves()
{
    static std::optional<bool> allowed;
    return allowed;
}

}  // namespace

bool CursorClipFilter::CanMovePointer()
{
    if (ImposedPointerMoves())
        return *ImposedPointerMoves();
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal") &&
           !platform.startsWith(QLatin1String("wayland"));
}

void CursorClipFilter::ImposePointerMoves(std::optional<bool> allowed)
{
    ImposedPointerMoves() = allowed;
}

void CursorClipFilter::Enforce(const RECT& rect)
{
    if (!CanMovePointer())
        return;
    const QPoint now = QCursor::pos();
    const POINT inside = ClampToRect(POINT{now.x(), now.y()}, rect);
    if (inside.x != now.x() || inside.y != now.y())
        QCursor::setPos(inside.x, inside.y);
}

bool CursorClipFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        if (const auto clip = CursorClip())
            Enforce(*clip);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace platform
