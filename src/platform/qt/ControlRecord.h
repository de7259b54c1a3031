#pragma once
// One control of a dialog window: its template, its widget (a child of
// the dialog window) and the framework object GetDlgItem hands out.

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/CWnd.h"

#include <memory>

class QWidget;

namespace platform::detail {

struct ControlRecord {
    ControlTemplate tpl;
    QWidget* widget = nullptr;
    std::unique_ptr<CWnd> wrapper;

    bool IsAutoRadio() const
    {
        return tpl.cls == ControlClass::Button && (tpl.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
    }
    // Templates give -1 (IDC_STATIC) to controls nobody addresses.
    bool HasId() const { return tpl.id != -1; }
    bool StartsGroup() const { return (tpl.style & WS_GROUP) != 0; }
    bool IsTabStop() const { return (tpl.style & WS_TABSTOP) != 0; }
};

}  // namespace platform::detail
