#include "platform/testing/PopupMenuTesting.h"
#include "platform/qt/HwndWidget.h"
#include "platform/qt/PopupMenuHook.h"
#include "platform/qt/testing/UiTesting.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QWidget>

namespace platform::testing {

ScopedMenuChoice::ScopedMenuChoice(std::function<UINT_PTR(const std::vector<MenuItem>&)> chooser)
{
    detail::SetPopupMenuChooser([this, chooser = std::move(chooser)](const std::vector<MenuItem>& items) {
        m_shown.push_back(items);
        return chooser(items);
    });
}

ScopedMenuChoice::ScopedMenuChoice(UINT_PTR id) : ScopedMenuChoice([id](const std::vector<MenuItem>&) { return id; }) {}

ScopedMenuChoice::~ScopedMenuChoice()
{
    detail::SetPopupMenuChooser({});
}

void RightClickForMenu(CWnd& window, POINT clientPoint)
{
    QWidget* top = WidgetOf(&window);
    if (top == nullptr) {
        return;
    }
    const QPoint local = ClientToWidget(window, clientPoint);
    QWidget* target = top->childAt(local);
    if (target == nullptr) {
        target = top;
    }
    const QPoint global = top->mapToGlobal(local);
    QContextMenuEvent event(QContextMenuEvent::Mouse, target->mapFromGlobal(global), global);
    QApplication::sendEvent(target, &event);
    PaintShownWindows();
}

}  // namespace platform::testing
