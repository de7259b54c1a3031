#pragma once
// Where the GUI tests draw, chosen before the application object exists.
// The ".xvfb" copies of the tests name the display file of the X server that
// their ctest fixture started; they run there on the xcb platform, where
// windows get frames and really paint. The ".wayland" copies name the file
// of a Wayland compositor's socket path and run on the wayland platform.
// Everything else runs offscreen, so a machine without a display can run
// the tests (and list them).

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace testing_support {

// False (with a message) when a display file is named but holds no display.
inline bool ChooseTestDisplay()
{
    if (const char* file = std::getenv("LUMIVANE_TEST_DISPLAY_FILE"); file != nullptr && *file != '\0') {
        std::string display;
        std::ifstream(file) >> display;
        if (!display.empty() && display.front() == '/') {
            const std::string::size_type slash = display.rfind('/');
            setenv("XDG_RUNTIME_DIR", display.substr(0, slash).c_str(), 1);
            setenv("WAYLAND_DISPLAY", display.c_str(), 1);
            unsetenv("DISPLAY");
            setenv("QT_QPA_PLATFORM", "wayland", 1);
            return true;
        }
        if (display.empty() || display.front() != ':') {
            std::fprintf(stderr, "no display in %s: is the xvfb.start or weston.start fixture running?\n", file);
            return false;
        }
        setenv("DISPLAY", display.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        return true;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return true;
}

}  // namespace testing_support
