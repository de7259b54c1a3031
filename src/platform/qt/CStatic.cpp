#include "platform/ui/CStatic.h"
#include "platform/qt/HwndWidget.h"
#include "platform/qt/PictureWidget.h"

namespace platform {

const logo::Picture* CStatic::SetBitmap(const logo::Picture* picture)
{
    auto* widget = dynamic_cast<detail::PictureWidget*>(WidgetOf(this));
    return widget != nullptr ? widget->SetPicture(picture) : nullptr;
}

const logo::Picture* CStatic::GetBitmap() const
{
    const auto* widget = dynamic_cast<const detail::PictureWidget*>(WidgetOf(this));
    return widget != nullptr ? widget->Picture() : nullptr;
}

}  // namespace platform
