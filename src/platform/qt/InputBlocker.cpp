#include "platform/qt/InputBlocker.h"

#include <QApplication>
#include <QEvent>

#include <algorithm>

namespace platform::detail {

InputBlocker::InputBlocker() : QObject(QCoreApplication::instance())
{
    QCoreApplication::instance()->installEventFilter(this);
}

namespace {

// The filter is a child of the application object, so a new application
// (tests create one per run) gets a new filter. Its code lives in the module
// that links this file: when that module is unloaded while the application
// object lives on (the host's dlclose), the filter goes with it, or the
// application would later destroy an object whose code is gone.
struct ModuleOwnedBlocker {
    QPointer<InputBlocker> instance;
    ~ModuleOwnedBlocker() { delete instance.data(); }
};

ModuleOwnedBlocker g_blocker;

}  // namespace

InputBlocker& InputBlocker::Instance()
{
    if (g_blocker.instance.isNull()) {
        g_blocker.instance = new InputBlocker();
    }
    return *g_blocker.instance;
}

void InputBlocker::Block(QWidget* window)
{
    if (window != nullptr && !IsBlocked(window)) {
        m_blocked.emplace_back(window);
    }
}

void InputBlocker::Unblock(QWidget* window)
{
    std::erase_if(m_blocked, [window](const QPointer<QWidget>& w) { return w.isNull() || w == window; });
}

bool InputBlocker::IsBlocked(const QWidget* window) const
{
    return window != nullptr &&
           std::any_of(m_blocked.begin(), m_blocked.end(), [window](const QPointer<QWidget>& w) { return w == window; });
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event)
{
    if (m_blocked.empty() || !watched->isWidgetType()) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
        break;
    case QEvent::Close:
        if (!event->spontaneous()) {
            return false;
        }
        break;
    default:
        return false;
    }
    return IsBlocked(static_cast<QWidget*>(watched)->window());
}

}  // namespace platform::detail
