#include "platform/qt/WaylandStacking.h"
#include "platform/qt/DialogWindow.h"
#include "platform/qt/WindowSystem.h"

#include <QApplication>
#include <QPointer>
#include <QWindow>

namespace platform::detail {

namespace {

constexpr const char* kPending = "lumivanePendingShow";

DialogWindow* RunningDialogOf(const DialogWindow& window)
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* dialog = dynamic_cast<DialogWindow*>(top);
        if (dialog != nullptr && dialog != &window && dialog->IsModalRun() && !dialog->IsDestroying() &&
            dialog->Owner() == window.Owner())
            return dialog;
    }
    return nullptr;
}

void ShowWithoutActivating(QWidget* window)
{
    const bool before = window->testAttribute(Qt::WA_ShowWithoutActivating);
    window->setAttribute(Qt::WA_ShowWithoutActivating, true);
    window->show();
    window->setAttribute(Qt::WA_ShowWithoutActivating, before);
}

}  // namespace

bool ShowAboveRunningDialog(QWidget* window)
{
    auto* dialogWindow = dynamic_cast<DialogWindow*>(window);
    if (!OnWayland() || dialogWindow == nullptr || dialogWindow->Owner() == nullptr ||
        dialogWindow->Owner()->isVisible())
        return false;
    DialogWindow* parent = RunningDialogOf(*dialogWindow);
    if (parent == nullptr)
        return false;
    parent->winId();
    window->winId();
    window->windowHandle()->setTransientParent(parent->windowHandle());
    if (parent->isVisible()) {
        ShowWithoutActivating(window);
        return true;
    }
    window->setProperty(kPending, true);
    QPointer<QWidget> guard(window);
    // The dialog is hidden now: its next change is its showing.
    QObject::connect(
        parent->windowHandle(), &QWindow::visibleChanged, window,
        [guard](bool) {
            if (!guard.isNull() && guard->property(kPending).toBool()) {
                guard->setProperty(kPending, QVariant());
                ShowWithoutActivating(guard);
            }
        },
        Qt::SingleShotConnection);
    return true;
}

bool ShowPending(const QWidget* window)
{
    return window != nullptr && window->property(kPending).toBool();
}

void CancelPendingShow(QWidget* window)
{
    if (window != nullptr)
        window->setProperty(kPending, QVariant());
}

namespace {

QPointer<QWidget>& HiddenActive()
{
    static QPointer<QWidget> window;
    return window;
}

}  // namespace

void HideInPlaceOfMinimise(QWidget* window)
{
    if (QApplication::activeWindow() == window)
        HiddenActive() = window;
    window->hide();
}

QWidget* ActiveOrMinimisedWindow()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    QWidget* hidden = HiddenActive();
    return hidden != nullptr && !hidden->isVisible() ? hidden : nullptr;
}

}  // namespace platform::detail
