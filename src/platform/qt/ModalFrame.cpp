#include "platform/qt/ModalFrame.h"

#include <QGuiApplication>
#include <QWidget>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#endif

namespace platform::detail {

#if QT_CONFIG(xcb)
namespace {

// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
constexpr std::uint32_t kHintsDecorations = 1u << 1;
constexpr std::uint32_t kDecorBorder = 1u << 1;

xcb_atom_t MotifHintsAtom(xcb_connection_t* connection)
{
    static constexpr const char* kName = "_MOTIF_WM_HINTS";
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(kName)), kName);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr) {
        return XCB_ATOM_NONE;
    }
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

}  // namespace
#endif

void RequestBorderWithoutTitle(QWidget* window)
{
#if QT_CONFIG(xcb)
    // Only the xcb platform has windows on an X server (offscreen may still
    // answer for an X connection of its own).
    if (window == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return;
    }
    const xcb_atom_t atom = MotifHintsAtom(connection);
    if (atom == XCB_ATOM_NONE) {
        return;
    }
    const std::array<std::uint32_t, 5> hints = {kHintsDecorations, 0, kDecorBorder, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()), atom, atom, 32,
                        static_cast<std::uint32_t>(hints.size()), hints.data());
    xcb_flush(connection);
#else
    (void)window;
#endif
}

}  // namespace platform::detail
