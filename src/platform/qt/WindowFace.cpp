#include "platform/qt/WindowFace.h"

#include <QWidget>

namespace platform::detail {

WindowFace* FaceOf(QWidget* widget)
{
    return dynamic_cast<WindowFace*>(widget);
}

const WindowFace* FaceOf(const QWidget* widget)
{
    return dynamic_cast<const WindowFace*>(widget);
}

}  // namespace platform::detail
