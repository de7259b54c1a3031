#include "platform/qt/WindowStacking.h"

#include <QGuiApplication>
#include <QWidget>

namespace platform::detail {

void RaiseWindow(QWidget* widget)
{
    if (widget == nullptr) {
        return;
    }
    if (widget->isWindow() && QGuiApplication::platformName() == QLatin1String("offscreen")) {
        return;
    }
    widget->raise();
}

}  // namespace platform::detail
