#pragma once
// Shared pieces of the dialog framework tests: a template with every kind
// of control, a string table for tooltips and small helpers.

#include "platform/ui/DialogTemplate.h"
#include "platform/qt/HwndWidget.h"
#include "platform/modres/ModuleResources.h"
#include "platform/modres/ResourceBlob.h"
#include "platform/ui/CDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <array>
#include <string>
#include <vector>

namespace uitest {

using platform::ControlClass;
using platform::ControlTemplate;

enum : int {
    IDD_KINDS = 900,
    IDC_PUSH = 100,
    IDC_ONE = 101,
    IDC_TWO = 102,
    IDC_THREE = 103,
    IDC_DEFAULT = 104,
    IDC_FACE = 105,
    IDC_NUMBER = 106,
    IDC_COMBO = 107,
    IDC_PICTURE = 108,
    IDC_FRAME = 109,
    IDC_HIDDEN = 110,
    IDC_CENTRED = 111,
    IDC_OFF = 112,
    IDC_LINE = 113,
    IDC_GROUP = 114,
    IDC_NAME = 115,
};

constexpr DWORD kRadio = BS_AUTORADIOBUTTON | BS_PUSHLIKE | BS_FLAT;

inline constexpr std::array kKindsControls = {
    ControlTemplate{IDC_PUSH, ControlClass::Button, "&Push", 10, 10, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
    ControlTemplate{IDC_ONE, ControlClass::Button, "&One", 70, 10, 40, 14, kRadio | WS_GROUP, 0},
    ControlTemplate{IDC_TWO, ControlClass::Button, "&Two", 70, 25, 40, 14, kRadio, 0},
    ControlTemplate{IDC_THREE, ControlClass::Button, "T&hree", 70, 40, 40, 14, kRadio, 0},
    ControlTemplate{IDC_DEFAULT, ControlClass::Button, "&Default", 120, 10, 50, 15,
                    BS_DEFPUSHBUTTON | BS_FLAT | WS_GROUP | WS_TABSTOP, 0},
    ControlTemplate{IDC_FACE, ControlClass::Button, "", 120, 30, 13, 12, BS_PUSHBUTTON | BS_BITMAP | BS_FLAT, 0},
    ControlTemplate{IDC_GROUP, ControlClass::Button, "Group", 5, 60, 100, 40, BS_GROUPBOX, 0},
    ControlTemplate{IDC_NAME, ControlClass::Static, "&Name", 10, 110, 40, 8, SS_LEFT, 0},
    ControlTemplate{IDC_NUMBER, ControlClass::Edit, "", 55, 108, 40, 12, ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP,
                    WS_EX_STATICEDGE},
    ControlTemplate{IDC_COMBO, ControlClass::ComboBox, "", 100, 108, 80, 45, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 0},
    ControlTemplate{IDC_PICTURE, ControlClass::Static, "", 190, 10, 40, 40, SS_BITMAP | SS_CENTERIMAGE, 0},
    ControlTemplate{IDC_FRAME, ControlClass::Static, "", 190, 60, 20, 10, SS_BLACKFRAME, WS_EX_STATICEDGE},
    ControlTemplate{IDC_LINE, ControlClass::Static, "", 5, 130, 100, 1, SS_ETCHEDHORZ, 0},
    ControlTemplate{IDC_HIDDEN, ControlClass::Static, "", 0, 0, 50, 50, SS_BLACKFRAME | SS_NOTIFY, 0, true},
    ControlTemplate{IDC_CENTRED, ControlClass::Static, "Centre", 120, 60, 50, 8, SS_CENTER, 0},
    ControlTemplate{IDC_OFF, ControlClass::Button, "Off", 190, 100, 40, 14, BS_PUSHBUTTON | WS_DISABLED | WS_TABSTOP, 0},
    ControlTemplate{IDCANCEL, ControlClass::Button, "&Close", 190, 120, 40, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
};

constexpr DWORD kCaptioned = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

inline constexpr platform::DialogTemplate kKindsTemplate{IDD_KINDS, "Kinds", 0, 0, 240, 150, kCaptioned, 0,
                                                        "MS Sans Serif", 8, kKindsControls};

// String ids of the test string table.
enum : UINT { IDS_TIP_PUSH = 40, IDS_TIP_NUMBER = 41, IDS_TIP_FRAME = 42, IDS_APP_TITLE = 0xE000 };

// Installs a string table (and optional extra resources) as the module's resources.
inline void InstallResources(std::vector<platform::ResourceEntry> extra = {}, bool withTitle = false)
{
    auto text = [](const char* s) { return std::vector<std::uint8_t>(s, s + std::char_traits<char>::length(s)); };
    std::vector<platform::ResourceEntry> entries = {
        {platform::ResourceType::String, IDS_TIP_PUSH, text("Pushes the button")},
        {platform::ResourceType::String, IDS_TIP_NUMBER, text("Takes a number")},
        {platform::ResourceType::String, IDS_TIP_FRAME, text("Shows a colour")},
    };
    if (withTitle) {
        entries.push_back({platform::ResourceType::String, static_cast<std::uint16_t>(IDS_APP_TITLE), text("Titled")});
    }
    for (auto& e : extra) {
        entries.push_back(std::move(e));
    }
    static std::vector<std::uint8_t> blob;
    blob = platform::PackResources(entries);
    platform::SetModuleResources(blob);
}

// Lets queued events run for a while (real timers, deferred clicks).
inline void Pump(int ms)
{
    QElapsedTimer timer;
    timer.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    } while (timer.elapsed() < ms);
}

// Runs the event loop until `done` answers true or `ms` milliseconds
// passed; what `done` said last. A loaded machine may run a process late,
// so a test waits for the event it expects, not for a fixed time.
template <typename Done>
bool PumpUntil(Done done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

// Makes a window the active one, as a click on it would.
inline void Activate(platform::CWnd& wnd)
{
    QWidget* w = WidgetOf(&wnd);
    if (w == nullptr) {
        return;
    }
    w->show();
    w->activateWindow();
    QApplication::processEvents();
    if (QApplication::activeWindow() != w) {
        QApplication::setActiveWindow(w);
        QApplication::processEvents();
    }
}

inline bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace uitest
