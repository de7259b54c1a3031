// A Control Panel module for testing the host, scripted through the
// environment:
//   LUMIVANE_TEST_RECORD        file to append what happens to, one line each:
//                               "load", "env NAME=VALUE" (the layout the module
//                               sees when it is loaded), "MESSAGE lParam1 lParam2",
//                               "unload"
//   LUMIVANE_TEST_INIT_ANSWER   what CPL_INIT answers (default 1)
//   LUMIVANE_TEST_COUNT         what CPL_GETCOUNT answers (default 1)
// Built with SCRIPTED_APPLET_DIALOG, CPL_DBLCLK shows a 600 x 388 dialog
// titled "Lumivane" and returns when it closes; with SCRIPTED_APPLET_RESOURCES
// the module carries the applet's resource section.

#include "platform/ui/ControlPanel.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#ifdef SCRIPTED_APPLET_DIALOG
#include <QDialog>
#endif
#ifdef SCRIPTED_APPLET_RESOURCES
#include "resources/ModuleResourceBlob.h"
#endif

namespace {

constexpr std::int32_t kLData = 77;


void Record(const std::string& line)
{
    if (const char* path = std::getenv("LUMIVANE_TEST_RECORD")) {
        std::ofstream out(path, std::ios::app);
        out << line << '\n';
    }
}

long FromEnvironment(const char* name, long fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::strtol(value, nullptr, 10) : fallback;
}

const char* MessageName(std::uint32_t message)
{
    static const char* const kNames[] = {"?", "CPL_INIT", "CPL_GETCOUNT", "CPL_INQUIRE", "CPL_SELECT",
                                         "CPL_DBLCLK", "CPL_STOP", "CPL_EXIT", "CPL_NEWINQUIRE"};
    return message < 9 ? kNames[message] : "?";
}

__attribute__((constructor)) void Attach()
{
    Record("load");
    for (char** variable = environ; *variable != nullptr; ++variable)
        if (std::string(*variable).starts_with("LUMIVANE_") && !std::string(*variable).starts_with("LUMIVANE_TEST_"))
            Record(std::string("env ") + *variable);
#ifdef SCRIPTED_APPLET_RESOURCES
    // Keeps the resource section in the module.
    Record("resources " + std::to_string(res::ModuleResourceBlob().size() > 0));
#endif
}

__attribute__((destructor)) void Detach()
{
    Record("unload");
}

}  // namespace

extern "C" __attribute__((visibility("default"))) LONG CPlApplet(HWND hwnd, UINT message, LPARAM lParam1,
                                                                LPARAM lParam2)
{
    Record(std::string(MessageName(message)) + " " + std::to_string(lParam1) + " " +
           (message == CPL_INQUIRE ? std::string(lParam2 != 0 ? "record" : "null") : std::to_string(lParam2)) +
           (hwnd != nullptr ? " hwnd" : ""));
    switch (message) {
    case CPL_INIT:
        return static_cast<std::int32_t>(FromEnvironment("LUMIVANE_TEST_INIT_ANSWER", 1));
    case CPL_GETCOUNT:
        return static_cast<std::int32_t>(FromEnvironment("LUMIVANE_TEST_COUNT", 1));
    case CPL_INQUIRE:
        if (lParam2 != 0)
            *reinterpret_cast<CPLINFO*>(lParam2) = {1000, 1, 2, kLData};
        return 0;
    case CPL_DBLCLK: {
#ifdef SCRIPTED_APPLET_DIALOG
        QDialog dialog;
        dialog.setWindowTitle("Lumivane");
        dialog.setFixedSize(600, 388);
        dialog.setStyleSheet("background: rgb(0, 128, 128);");
        Record("dialog " + std::to_string(dialog.exec()));
#endif
        return 0;
    }
    default:
        return 0;
    }
}
