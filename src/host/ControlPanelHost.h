#pragma once
// The Control Panel's part, for one module: the applet lifecycle as one
// symmetric sequence.
//
//   load -> CPL_INIT -> CPL_GETCOUNT -> CPL_INQUIRE per item
//        -> CPL_DBLCLK (first item; returns when its dialog closes)
//        -> CPL_STOP per item -> CPL_EXIT -> unload
//
// A module that answers CPL_INIT with 0 refused to start: it is unloaded
// at once, with no further message, as the Control Panel does.

#include <optional>
#include <ostream>
#include <string>

namespace host {

class ControlPanelHost {
public:
    ControlPanelHost(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    // Runs the module; a QApplication must exist. With screenshotPath the
    // first item's dialog is saved as PNG and closed. Returns the exit
    // status: 0, or 1 after a message on err.
    int Run(const std::string& modulePath, const std::optional<std::string>& screenshotPath);

private:
    // The item's icon from the module's file, for the application's windows.
    // Its name stays out of the application's display name, which the
    // toolkit would append to every caption.
    void PresentItem(const std::string& modulePath, int idIcon);
    int Fail(const std::string& message);

    std::ostream& m_out;
    std::ostream& m_err;
};

}  // namespace host
