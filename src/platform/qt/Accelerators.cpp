#include "platform/ui/Accelerators.h"
#include "platform/qt/HwndWidget.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/UiConstants.h"
#include "platform/qt/DialogWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

#include <map>
#include <optional>

namespace platform {

namespace {

std::optional<WORD> VirtualKeyOf(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return static_cast<WORD>('A' + (qtKey - Qt::Key_A));
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<WORD>('0' + (qtKey - Qt::Key_0));
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<WORD>(0x70 + (qtKey - Qt::Key_F1));
    }
    switch (qtKey) {
    case Qt::Key_Escape: return static_cast<WORD>(VK_ESCAPE);
    case Qt::Key_Return:
    case Qt::Key_Enter: return static_cast<WORD>(VK_RETURN);
    case Qt::Key_Space: return static_cast<WORD>(VK_SPACE);
    default: return std::nullopt;
    }
}

BYTE ModifierFlags(Qt::KeyboardModifiers modifiers)
{
    BYTE flags = FVIRTKEY;
    if (modifiers & Qt::ShiftModifier) {
        flags |= FSHIFT;
    }
    if (modifiers & Qt::ControlModifier) {
        flags |= FCONTROL;
    }
    if (modifiers & Qt::AltModifier) {
        flags |= FALT;
    }
    return flags;
}

// Watches every key of the application: a chord in the table of the
// window it is typed into becomes that window's command, and no control
// (an edit's own undo, a button's mnemonic) gets it first.
class AcceleratorFilter : public QObject {
public:
    explicit AcceleratorFilter(QObject* parent) : QObject(parent) {}

    std::map<QWidget*, std::vector<ACCEL>> tables;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        const std::optional<WORD> command = CommandFor(widget->window(), *key);
        if (!command) {
            return false;
        }
        if (event->type() == QEvent::ShortcutOverride) {
            // Ask for the key press itself, which comes here next.
            event->accept();
            return true;
        }
        QPointer<QWidget> window(widget->window());
        if (auto* dialog = dynamic_cast<detail::DialogWindow*>(window.data())) {
            dialog->NotifyCommand(*command, 1);
        }
        return true;
    }

private:
    std::optional<WORD> CommandFor(QWidget* window, const QKeyEvent& key) const
    {
        const auto it = tables.find(window);
        const std::optional<WORD> vk = VirtualKeyOf(key.key());
        if (it == tables.end() || !vk || key.isAutoRepeat()) {
            return std::nullopt;
        }
        const BYTE flags = ModifierFlags(key.modifiers() & ~Qt::KeypadModifier);
        for (const ACCEL& accel : it->second) {
            if (accel.key == *vk && (accel.fVirt | FVIRTKEY) == flags) {
                return accel.cmd;
            }
        }
        return std::nullopt;
    }
};

// A child of the application object, so a new application gets a new
// filter; and it goes when the module that links this file is unloaded,
// or the application would later call code that is gone.
struct ModuleOwnedFilter {
    QPointer<AcceleratorFilter> instance;
    ~ModuleOwnedFilter() { delete instance.data(); }
};

ModuleOwnedFilter g_filter;

AcceleratorFilter* Filter()
{
    if (g_filter.instance.isNull() && QCoreApplication::instance() != nullptr) {
        g_filter.instance = new AcceleratorFilter(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(g_filter.instance);
    }
    return g_filter.instance.data();
}

}  // namespace

BOOL SetAccelerators(CWnd& window, std::span<const ACCEL> table)
{
    QWidget* widget = WidgetOf(&window);
    AcceleratorFilter* filter = Filter();
    if (widget == nullptr || filter == nullptr) {
        return FALSE;
    }
    QWidget* top = widget->window();
    if (table.empty()) {
        filter->tables.erase(top);
        return TRUE;
    }
    const bool known = filter->tables.count(top) != 0;
    filter->tables[top] = std::vector<ACCEL>(table.begin(), table.end());
    if (!known) {
        QObject::connect(top, &QObject::destroyed, filter, [filter, top] { filter->tables.erase(top); });
    }
    return TRUE;
}

std::vector<ACCEL> GetAccelerators(const CWnd& window)
{
    QWidget* widget = WidgetOf(&window);
    AcceleratorFilter* filter = Filter();
    if (widget == nullptr || filter == nullptr) {
        return {};
    }
    const auto it = filter->tables.find(widget->window());
    return it != filter->tables.end() ? it->second : std::vector<ACCEL>{};
}

}  // namespace platform
