#include "platform/ui/ControlText.h"

#include "platform/qt/HwndWidget.h"

namespace platform {

int ControlHeightForWidth(const CWnd& control, int width)
{
    const QWidget* widget = WidgetOf(&control);
    if (widget == nullptr)
        return 0;
    // A word-wrapped label answers with its margins (the edges) included.
    return widget->hasHeightForWidth() ? widget->heightForWidth(width) : widget->sizeHint().height();
}

}  // namespace platform
