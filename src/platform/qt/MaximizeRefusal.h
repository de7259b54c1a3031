#pragma once
// A window of fixed size cannot be maximised. Under Wayland the toolkit
// draws the title bar itself, with a maximize button on every window, and a
// compositor that grants the maximise ends the program's connection when
// the window keeps its size (Weston: "xdg_surface geometry does not match
// the configured maximized state"). There a maximise of a fixed-size
// window is let through at the compositor's size for a moment and undone
// at once: the window comes back to its place and size.

namespace platform::detail {

// Watches every top-level window of the application from now on; does
// nothing off Wayland or when already called.
void RefuseMaximiseOfFixedWindows();

}  // namespace platform::detail
