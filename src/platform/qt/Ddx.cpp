#include "platform/ui/Ddx.h"
#include "platform/qt/HwndWidget.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDataExchange.h"
#include "platform/qt/DialogWindow.h"

namespace platform {

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (dx == nullptr || dx->Failed()) {
        return;
    }
    CWnd* item = dx->PrepareCtrl(id);
    if (item != nullptr && WidgetOf(&control) != WidgetOf(item)) {
        control.Attach(item->GetSafeHwnd());
    }
}

void DDX_Radio(CDataExchange* dx, int firstId, int& value)
{
    if (dx == nullptr || dx->Failed()) {
        return;
    }
    CWnd* first = dx->PrepareCtrl(firstId);
    detail::DialogWindow* window = detail::WindowOf(dx->m_pDlgWnd);
    detail::ControlRecord* record = window != nullptr ? window->FindControl(firstId) : nullptr;
    if (first == nullptr || record == nullptr) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        value = -1;
    }
    // The group runs from the first button to the next WS_GROUP control;
    // only its radio buttons count.
    const auto& controls = window->Controls();
    std::size_t at = 0;
    while (at < controls.size() && controls[at].get() != record) {
        ++at;
    }
    int index = 0;
    for (std::size_t i = at; i < controls.size(); ++i) {
        detail::ControlRecord* member = controls[i].get();
        if (member != record && member->StartsGroup()) {
            break;
        }
        if (!member->IsAutoRadio()) {
            continue;
        }
        auto* button = static_cast<CButton*>(member->wrapper.get());
        if (dx->m_bSaveAndValidate) {
            if (button->GetCheck() == BST_CHECKED && value == -1) {
                value = index;
            }
        } else {
            button->SetCheck(index == value ? BST_CHECKED : BST_UNCHECKED);
        }
        ++index;
    }
}

}  // namespace platform
