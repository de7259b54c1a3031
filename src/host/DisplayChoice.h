#pragma once
// Which of Qt's platforms the host asks for, decided before the application
// object exists: Qt aborts with a page of text when the platform it picks
// cannot start (a Wayland session without Qt's wayland plugin, a compositor
// that is gone). Where no window can be shown, a screenshot is still taken
// offscreen; otherwise the user gets one line saying what is missing.

#include <string>

namespace host {

struct DisplayEnvironment {
    bool platformChosen = false;    // QT_QPA_PLATFORM set: the user's choice stands
    bool x11 = false;               // DISPLAY set
    bool wayland = false;           // WAYLAND_DISPLAY set
    bool waylandReachable = false;  // its socket exists
    bool waylandPlugin = false;     // Qt's wayland platform plugin is installed
    bool screenshot = false;        // --screenshot asked for
};

struct DisplayChoice {
    std::string platform;  // for QT_QPA_PLATFORM; empty: Qt's own choice
    std::string refusal;   // not empty: say it and stop
};

DisplayChoice ChooseDisplay(const DisplayEnvironment& environment);

// The environment of this process and the Qt installation it runs on.
DisplayEnvironment ReadDisplayEnvironment(bool screenshot);

}  // namespace host
