#pragma once
// What the window system lets a program do with its own windows. Under a
// Wayland compositor a client cannot place a window, cannot undo a
// minimise (xdg-shell has a request to minimise and none to restore) and
// gets the title bar the toolkit draws itself.

namespace platform::detail {

// True on Qt's wayland platforms (wayland, wayland-egl, ...).
bool OnWayland();

}  // namespace platform::detail
