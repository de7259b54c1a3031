#include "platform/testing/KeyChordTesting.h"
#include "platform/qt/HwndWidget.h"
#include "platform/ui/Accelerators.h"
#include "platform/qt/testing/UiTesting.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace platform::testing {

namespace {

int ChordKeyOf(UINT vk)
{
    if (vk >= 'A' && vk <= 'Z') {
        return Qt::Key_A + static_cast<int>(vk - 'A');
    }
    if (vk >= '0' && vk <= '9') {
        return Qt::Key_0 + static_cast<int>(vk - '0');
    }
    if (vk >= 0x70 && vk <= 0x87) {
        return Qt::Key_F1 + static_cast<int>(vk - 0x70);
    }
    switch (vk) {
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_RETURN: return Qt::Key_Return;
    default: return 0;
    }
}

}  // namespace

void SendKeyChord(CWnd& window, UINT vk, BYTE modifiers)
{
    QWidget* widget = WidgetOf(&window);
    const int key = ChordKeyOf(vk);
    if (widget == nullptr || key == 0) {
        return;
    }
    QWidget* top = widget->window();
    if (!top->isEnabled()) {
        return;  // a window blocked by a modal one hears no keys
    }
    QWidget* target = top->focusWidget() != nullptr ? top->focusWidget() : top;
    Qt::KeyboardModifiers mods;
    if (modifiers & FCONTROL) {
        mods |= Qt::ControlModifier;
    }
    if (modifiers & FSHIFT) {
        mods |= Qt::ShiftModifier;
    }
    if (modifiers & FALT) {
        mods |= Qt::AltModifier;
    }
    if (!qt_sendShortcutOverrideEvent(target, 0, key, mods, QString(), false, 1)) {
        QKeyEvent press(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods);
        QApplication::sendEvent(target, &release);
    }
    PaintShownWindows();
}

void DoubleClick(CWnd& window, POINT clientPoint)
{
    QWidget* widget = WidgetOf(&window);
    if (widget == nullptr) {
        return;
    }
    const QPointF local = ClientToWidget(window, clientPoint);
    const QPointF global = widget->mapToGlobal(local);
    QMouseEvent event(QEvent::MouseButtonDblClick, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
    PaintShownWindows();
}

}  // namespace platform::testing
