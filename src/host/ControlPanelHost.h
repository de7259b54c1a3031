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
    // Name, description and icon of the item from the module's file.
    void PresentItem(const std::string& modulePath, int idName, int idIcon);
    int Fail(const std::string& message);

    std::ostream& m_out;
    std::ostream& m_err;
};

}  // namespace host
