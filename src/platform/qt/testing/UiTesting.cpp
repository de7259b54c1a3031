#include "platform/qt/testing/UiTesting.h"
#include "platform/qt/WindowSystem.h"
#include "platform/qt/HwndWidget.h"
#include "platform/qt/ButtonWidget.h"
#include "platform/qt/CaptionBar.h"
#include "platform/qt/DialogWindow.h"
#include "platform/qt/testing/ModalHooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "platform/qt/InputBlocker.h"

// Exported by QtGui for its test library: runs the shortcut map for a key
// press as the window system path does (true when a shortcut took it).
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace platform::testing {

using detail::ControlRecord;
using detail::DialogWindow;

namespace {

ControlRecord* RecordOf(CWnd& dialog, int controlId)
{
    DialogWindow* window = detail::WindowOf(&dialog);
    return window != nullptr ? window->FindControl(controlId) : nullptr;
}

Qt::KeyboardModifiers ModifiersOf(UINT keyFlags)
{
    Qt::KeyboardModifiers modifiers;
    if (keyFlags & MK_SHIFT) {
        modifiers |= Qt::ShiftModifier;
    }
    if (keyFlags & MK_CONTROL) {
        modifiers |= Qt::ControlModifier;
    }
    return modifiers;
}

int QtKeyOf(UINT key)
{
    const UINT vk = key & 0xFFFF;
    switch (vk) {
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_RETURN: return Qt::Key_Return;
    case VK_TAB: return Qt::Key_Tab;
    case VK_SPACE: return Qt::Key_Space;
    default: break;
    }
    if (vk >= 'A' && vk <= 'Z') {
        return Qt::Key_A + static_cast<int>(vk - 'A');
    }
    if (vk >= '0' && vk <= '9') {
        return Qt::Key_0 + static_cast<int>(vk - '0');
    }
    return 0;
}

// Where typed keys go: a combo box types into its edit field.
QWidget* KeyTarget(QWidget* widget)
{
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo != nullptr && combo->lineEdit() != nullptr) {
        return combo->lineEdit();
    }
    return widget;
}

bool OnRealDisplay()
{
    return QGuiApplication::platformName() != QLatin1String("offscreen");
}

}  // namespace

void PaintShownWindows()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    if (OnRealDisplay()) {
        // The repaints the step asked for, painted and sent to the server now.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
    for (QWidget* window : windows) {
        if (!window->isVisible()) {
            continue;
        }
        (void)window->grab();
        if (QScreen* screen = window->screen(); screen != nullptr && OnRealDisplay()) {
            (void)screen->grabWindow(window->winId());
        }
    }
}

namespace {

// On a real display the window manager activates a new dialog a little
// later, and the activation moves the keyboard focus. A person acts once the
// window is there; so do the scripted steps, or a late activation would land
// between two of them. The dialog's own timers wait too: a test fires them
// itself, and a real tick while the window manager is slow (a busy machine)
// would be one the test never asked for.
void WaitUntilActive(CDialog& dialog)
{
    QWidget* window = WidgetOf(&dialog);
    if (!OnRealDisplay() || window == nullptr || !window->isVisible())
        return;
    QElapsedTimer clock;
    clock.start();
    while (QApplication::activeWindow() != window && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers, 20);
}

}  // namespace

ScopedModalHook::ScopedModalHook(int templateId, std::function<void(CDialog&)> callback)
    : m_token(detail::AddModalHook(templateId, [callback = std::move(callback)](CDialog& dialog) {
          WaitUntilActive(dialog);
          PaintShownWindows();
          callback(dialog);
          PaintShownWindows();
      }))
{
}

ScopedModalHook::~ScopedModalHook()
{
    detail::RemoveModalHook(m_token);
}

int ScopedModalHook::Calls() const
{
    return detail::ModalHookCalls(m_token);
}

void SetModalTimeout(int ms)
{
    detail::SetModalTimeoutMs(ms);
}

bool FireTimer(CWnd& dialog, UINT_PTR id)
{
    DialogWindow* window = detail::WindowOf(&dialog);
    const bool fired = window != nullptr && window->FireTimer(id);
    PaintShownWindows();
    return fired;
}

std::vector<UINT_PTR> ActiveTimers(CWnd& dialog)
{
    DialogWindow* window = detail::WindowOf(&dialog);
    return window != nullptr ? window->TimerIds() : std::vector<UINT_PTR>{};
}

int TimerInterval(CWnd& dialog, UINT_PTR id)
{
    DialogWindow* window = detail::WindowOf(&dialog);
    return window != nullptr ? window->TimerInterval(id) : -1;
}

bool ClickControl(CWnd& dialog, int controlId)
{
    ControlRecord* record = RecordOf(dialog, controlId);
    auto* button = record != nullptr ? qobject_cast<QAbstractButton*>(record->widget) : nullptr;
    if (button == nullptr || !button->isEnabled() || button->isHidden()) {
        return false;
    }
    button->click();
    PaintShownWindows();
    return true;
}

void SendCommand(CDialog& dialog, int controlId, UINT code)
{
    if (DialogWindow* window = detail::WindowOf(&dialog)) {
        window->NotifyCommand(controlId, code);
    }
    PaintShownWindows();
}

void SendMouse(CWnd& dialog, MouseAction action, POINT clientPoint, UINT keyFlags)
{
    DialogWindow* window = detail::WindowOf(&dialog);
    if (window == nullptr) {
        return;
    }
    const QPointF local = ClientToWidget(dialog, clientPoint);
    const QPointF global = window->mapToGlobal(local);
    Qt::MouseButtons buttons;
    if (keyFlags & MK_LBUTTON) {
        buttons |= Qt::LeftButton;
    }
    if (keyFlags & MK_RBUTTON) {
        buttons |= Qt::RightButton;
    }
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    switch (action) {
    case MouseAction::Move: break;
    case MouseAction::LeftDown:
        type = QEvent::MouseButtonPress;
        button = Qt::LeftButton;
        buttons |= Qt::LeftButton;
        break;
    case MouseAction::LeftUp:
        type = QEvent::MouseButtonRelease;
        button = Qt::LeftButton;
        buttons &= ~Qt::MouseButtons(Qt::LeftButton);
        break;
    case MouseAction::RightDown:
        type = QEvent::MouseButtonPress;
        button = Qt::RightButton;
        buttons |= Qt::RightButton;
        break;
    }
    QMouseEvent event(type, local, global, button, buttons, ModifiersOf(keyFlags));
    QApplication::sendEvent(window, &event);
    PaintShownWindows();
}

void SendKey(CWnd& window, UINT key)
{
    QWidget* widget = WidgetOf(&window);
    const int qtKey = QtKeyOf(key);
    if (widget == nullptr || qtKey == 0) {
        return;
    }
    QWidget* top = widget->window();
    if (detail::InputBlocker::Instance().IsBlocked(top)) {
        return;
    }
    QWidget* target = top->focusWidget() != nullptr ? top->focusWidget() : top;
    const Qt::KeyboardModifiers modifiers = (key & KEY_ALT) ? Qt::AltModifier : Qt::NoModifier;
    QString text;
    if (!(key & KEY_ALT) && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_Z) {
        text = QString(QChar(static_cast<char16_t>(key & 0xFFFF))).toLower();
    }
    // Shortcuts first (mnemonics), as for a key from the window system.
    if (!qt_sendShortcutOverrideEvent(target, 0, qtKey, modifiers, text, false, 1)) {
        QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, text);
        QApplication::sendEvent(target, &release);
    }
    PaintShownWindows();
}

void TypeText(CWnd& dialog, int controlId, const std::string& text)
{
    ControlRecord* record = RecordOf(dialog, controlId);
    if (record == nullptr) {
        return;
    }
    QWidget* target = KeyTarget(record->widget);
    record->widget->setFocus(Qt::OtherFocusReason);
    for (const QChar c : QString::fromUtf8(text)) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
    PaintShownWindows();
}

void ClickCloseBox(CWnd& window)
{
    QWidget* widget = WidgetOf(&window);
    if (widget == nullptr) {
        return;
    }
    QWidget* top = widget->window();
    // A disabled window (a modal dialog's owner) ignores its close box.
    if (!detail::InputBlocker::Instance().IsBlocked(top)) {
        top->close();
    }
    PaintShownWindows();
}

ControlState QueryControl(CWnd& dialog, int controlId)
{
    ControlState state;
    ControlRecord* record = RecordOf(dialog, controlId);
    if (record == nullptr) {
        return state;
    }
    QWidget* w = record->widget;
    state.exists = true;
    state.enabled = w->isEnabled();
    state.visible = !w->isHidden();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        state.checked = button->isCheckable() && button->isChecked();
    }
    if (auto* push = qobject_cast<QPushButton*>(w)) {
        state.isDefault = push->isDefault();
    }
    if (auto* flat = dynamic_cast<detail::ButtonWidget*>(w)) {
        state.flat = flat->IsFlat();
    }
    const QWidget* focus = w->window()->focusWidget();
    state.focused = focus != nullptr && (focus == w || w->isAncestorOf(focus));
    state.text = record->wrapper->GetWindowText();
    const DialogWindow* window = detail::WindowOf(&dialog);
    const QRect r = w->geometry().translated(window != nullptr ? -window->ClientOrigin() : QPoint());
    state.rect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    return state;
}

std::optional<std::string> ToolTipText(CWnd& dialog, int controlId)
{
    DialogWindow* window = detail::WindowOf(&dialog);
    return window != nullptr ? window->ToolTipFor(window->FindControl(controlId)) : std::nullopt;
}

std::optional<std::string> ToolTipAt(CWnd& dialog, POINT clientPoint)
{
    DialogWindow* window = detail::WindowOf(&dialog);
    return window != nullptr ? window->ToolTipFor(window->ControlAt(QPoint(clientPoint.x, clientPoint.y)))
                             : std::nullopt;
}

HWND OwnerOf(CWnd& window)
{
    DialogWindow* dialogWindow = detail::WindowOf(&window);
    return dialogWindow != nullptr ? reinterpret_cast<HWND>(dialogWindow->Owner()) : nullptr;
}

QPoint ClientToWidget(CWnd& window, POINT clientPoint)
{
    const DialogWindow* dialogWindow = detail::WindowOf(&window);
    return QPoint(clientPoint.x, clientPoint.y) + (dialogWindow != nullptr ? dialogWindow->ClientOrigin() : QPoint());
}

bool OnWayland()
{
    return detail::OnWayland();
}

bool ShownAsChildOf(CWnd& window, CWnd& below)
{
    QWidget* child = WidgetOf(&window);
    QWidget* parent = WidgetOf(&below);
    return child != nullptr && parent != nullptr && child->isVisible() && child->windowHandle() != nullptr &&
           child->windowHandle()->transientParent() == parent->windowHandle();
}

QImage GrabWindow(CWnd& window)
{
    QWidget* widget = WidgetOf(&window);
    return widget != nullptr ? widget->grab(widget->contentsRect()).toImage() : QImage();
}

QImage GrabWholeWindow(CWnd& window)
{
    QWidget* widget = WidgetOf(&window);
    return widget != nullptr ? widget->grab().toImage() : QImage();
}

namespace {

detail::CaptionBar* DrawnCaptionOf(CWnd& window)
{
    QWidget* widget = WidgetOf(&window);
    if (widget == nullptr)
        return nullptr;
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (auto* bar = dynamic_cast<detail::CaptionBar*>(child))
            return bar;
    return nullptr;
}

}  // namespace

std::vector<std::string> CaptionButtons(CWnd& window)
{
    std::vector<std::string> names;
    if (detail::CaptionBar* bar = DrawnCaptionOf(window); bar != nullptr && bar->isVisible()) {
        for (const QAbstractButton* button : bar->findChildren<QAbstractButton*>())
            if (button->isVisible())
                names.push_back(button->accessibleName().toStdString());
    }
    return names;
}

bool ClickCaptionClose(CWnd& window)
{
    detail::CaptionBar* bar = DrawnCaptionOf(window);
    if (bar == nullptr || !bar->isVisible())
        return false;
    // Pressed and released over it, as the mouse does.
    QAbstractButton* close = bar->CloseButton();
    const QPointF centre = QRectF(close->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, close->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(close, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, close->mapToGlobal(centre), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(close, &release);
    PaintShownWindows();
    return true;
}

bool PressCaption(CWnd& window)
{
    detail::CaptionBar* bar = DrawnCaptionOf(window);
    if (bar == nullptr || !bar->isVisible())
        return false;
    const int before = bar->MovesRequested();
    const QPointF at(bar->width() / 3.0, bar->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(bar, &release);
    PaintShownWindows();
    return bar->MovesRequested() > before;
}

bool SaveWindowPng(CWnd& window, const std::string& path)
{
    const QImage image = GrabWindow(window);
    return !image.isNull() && image.save(QString::fromStdString(path), "PNG");
}

std::vector<int> WindowIconSizes(CWnd& window)
{
    std::vector<int> sizes;
    if (QWidget* widget = WidgetOf(&window)) {
        for (const QSize& size : widget->window()->windowIcon().availableSizes()) {
            sizes.push_back(size.width());
        }
    }
    return sizes;
}

}  // namespace platform::testing
