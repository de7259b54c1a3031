#include "host/DisplayChoice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

#include <cstdlib>

namespace host {

namespace {

bool Set(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

bool WaylandSocketExists()
{
    std::string path = std::getenv("WAYLAND_DISPLAY");
    if (path.front() != '/') {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        if (runtime == nullptr)
            return false;
        path = std::string(runtime) + "/" + path;
    }
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

bool WaylandPluginInstalled()
{
    QStringList folders = QCoreApplication::libraryPaths();
    for (QString& folder : folders)
        folder += QStringLiteral("/platforms");
    if (Set("QT_QPA_PLATFORM_PLUGIN_PATH"))
        folders.prepend(QString::fromLocal8Bit(std::getenv("QT_QPA_PLATFORM_PLUGIN_PATH")));
    for (const QString& folder : folders) {
        if (!QDir(folder).entryList({QStringLiteral("libqwayland-*.so")}, QDir::Files).isEmpty())
            return true;
    }
    return false;
}

}  // namespace

DisplayChoice ChooseDisplay(const DisplayEnvironment& e)
{
    const bool waylandWorks = e.wayland && e.waylandReachable && e.waylandPlugin;
    if (e.platformChosen || waylandWorks)
        return {};
    // A Wayland session that cannot be used, with an X server beside it.
    if (e.x11)
        return {e.wayland ? "xcb" : "", ""};
    if (e.screenshot)
        return {"offscreen", ""};
    if (e.wayland && !e.waylandPlugin)
        return {"", "lumivane: this Wayland session needs Qt's wayland plugin (Debian package qt6-wayland) and there "
                    "is no X display (DISPLAY is unset); install it, or run with --screenshot PNG"};
    if (e.wayland)
        return {"", "lumivane: no Wayland compositor answers at WAYLAND_DISPLAY and there is no X display (DISPLAY "
                    "is unset); run it on a desktop, or with --screenshot PNG"};
    return {"", "lumivane: no display (DISPLAY and WAYLAND_DISPLAY are unset); run it on a desktop, under xvfb-run, "
                "or with --screenshot PNG to save a picture of the dialog"};
}

DisplayEnvironment ReadDisplayEnvironment(bool screenshot)
{
    DisplayEnvironment e;
    e.platformChosen = Set("QT_QPA_PLATFORM");
    e.x11 = Set("DISPLAY");
    e.wayland = Set("WAYLAND_DISPLAY");
    e.waylandReachable = e.wayland && WaylandSocketExists();
    e.waylandPlugin = e.wayland && WaylandPluginInstalled();
    e.screenshot = screenshot;
    return e;
}

}  // namespace host
