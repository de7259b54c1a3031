#include "platform/qt/WindowSystem.h"

#include <QGuiApplication>

namespace platform::detail {

bool OnWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace platform::detail
