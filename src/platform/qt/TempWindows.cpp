#include "platform/qt/TempWindows.h"
#include "platform/qt/HwndWidget.h"
#include "platform/ui/CWnd.h"

#include <map>
#include <memory>

namespace platform::detail {

namespace {

std::map<QWidget*, std::unique_ptr<CWnd>>& Wrappers()
{
    static std::map<QWidget*, std::unique_ptr<CWnd>> wrappers;
    return wrappers;
}

}  // namespace

CWnd* TemporaryWrapper(QWidget* widget)
{
    auto& wrappers = Wrappers();
    // A wrapper whose window has gone may share its address with a new one.
    std::erase_if(wrappers, [](const auto& entry) { return WidgetOf(entry.second.get()) == nullptr; });
    auto& slot = wrappers[widget];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->Attach(HwndFromWidget(widget));
    }
    return slot.get();
}

void ClearTemporaryWrappers()
{
    Wrappers().clear();
}

}  // namespace platform::detail
