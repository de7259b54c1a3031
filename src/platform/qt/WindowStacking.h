#pragma once
// Raising a window to the top of the stacking order, where the platform
// can (the offscreen platform has no stacking and says so on every call).

class QWidget;

namespace platform::detail {

void RaiseWindow(QWidget* widget);

}  // namespace platform::detail
