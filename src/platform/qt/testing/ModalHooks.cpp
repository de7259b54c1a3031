#include "platform/qt/testing/ModalHooks.h"

#include "platform/qt/DialogWindow.h"
#include "platform/ui/CDialog.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace platform::detail {

namespace {

struct HookEntry {
    int token;
    int templateId;
    ModalHook hook;
    int calls = 0;
};

std::vector<HookEntry>& Hooks()
{
    static std::vector<HookEntry> hooks;
    return hooks;
}

int g_nextToken = 1;
int g_timeoutMs = 0;

// The newest hook for a template id (counting the call), or an empty function.
ModalHook TakeModalHook(int templateId)
{
    auto& hooks = Hooks();
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
        if (it->templateId == templateId) {
            ++it->calls;
            return it->hook;
        }
    }
    return {};
}

constexpr const char* kWatchedProperty = "lumivane.modalWatched";

// A modal run shows its window and then enters its loop; a zero timer set
// at the show fires inside that loop. Each window is one run: it is made
// afresh for every DoModal and is seen once.
class ModalWatcher : public QObject {
public:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto* window = dynamic_cast<DialogWindow*>(object);
                window != nullptr && !window->property(kWatchedProperty).toBool()) {
                window->setProperty(kWatchedProperty, true);
                Watch(window);
            }
        }
        return QObject::eventFilter(object, event);
    }

private:
    static void Watch(DialogWindow* window)
    {
        QPointer<DialogWindow> guard(window);
        QTimer::singleShot(0, window, [guard] {
            if (guard.isNull() || guard->Loop() == nullptr || guard->Dialog() == nullptr) {
                return;
            }
            CDialog& dialog = *guard->Dialog();
            if (ModalHook hook = TakeModalHook(dialog.GetTemplateId())) {
                hook(dialog);
            }
        });
        if (g_timeoutMs > 0) {
            QTimer::singleShot(g_timeoutMs, window, [guard] {
                if (!guard.isNull() && guard->Loop() != nullptr && guard->Dialog() != nullptr) {
                    guard->Dialog()->EndDialog(-1);
                }
            });
        }
    }
};

void EnsureWatching()
{
    static ModalWatcher* watcher = nullptr;
    if (watcher == nullptr && qApp != nullptr) {
        watcher = new ModalWatcher;
        watcher->setParent(qApp);
        qApp->installEventFilter(watcher);
    }
}

}  // namespace

int AddModalHook(int templateId, ModalHook hook)
{
    EnsureWatching();
    Hooks().push_back(HookEntry{g_nextToken, templateId, std::move(hook)});
    return g_nextToken++;
}

void RemoveModalHook(int token)
{
    std::erase_if(Hooks(), [token](const HookEntry& e) { return e.token == token; });
}

int ModalHookCalls(int token)
{
    for (const HookEntry& e : Hooks()) {
        if (e.token == token) {
            return e.calls;
        }
    }
    return 0;
}

void SetModalTimeoutMs(int ms)
{
    EnsureWatching();
    g_timeoutMs = std::max(ms, 0);
}

}  // namespace platform::detail
