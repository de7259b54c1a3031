#pragma once
// HWND <-> QWidget*: a window handle is its widget's address.

#include "platform/WinTypes.h"
#include "platform/ui/CWnd.h"

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

// The widget behind a framework window; nullptr for none or no window.
inline QWidget* WidgetOf(const CWnd* wnd)
{
    return wnd != nullptr ? WidgetFromHwnd(wnd->GetSafeHwnd()) : nullptr;
}

}  // namespace platform
