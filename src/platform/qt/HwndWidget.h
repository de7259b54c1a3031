#pragma once
// HWND <-> QWidget*: a window handle is its top-level widget's address.

#include "platform/WinTypes.h"

#include <QWidget>

namespace platform {

inline QWidget* WidgetFromHwnd(HWND hwnd)
{
    return reinterpret_cast<QWidget*>(hwnd);
}

inline HWND HwndFromWidget(QWidget* widget)
{
    return reinterpret_cast<HWND>(widget);
}

}  // namespace platform
