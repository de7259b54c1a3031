#include "platform/ui/CPaintDC.h"
#include "platform/qt/HwndWidget.h"
#include "platform/ui/CWnd.h"
#include "platform/qt/SurfaceProvider.h"

#include <QWidget>

namespace platform {

CPaintDC::CPaintDC(CWnd* window)
{
    auto* surface = window != nullptr ? dynamic_cast<detail::SurfaceProvider*>(WidgetOf(window)) : nullptr;
    if (surface != nullptr) {
        Attach(&surface->Buffer(), {});
    }
}

}  // namespace platform
