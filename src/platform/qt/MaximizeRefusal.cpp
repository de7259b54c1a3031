#include "platform/qt/MaximizeRefusal.h"
#include "platform/qt/WindowSystem.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace platform::detail {

namespace {

constexpr const char* kWatched = "lumivaneMaximiseWatched";
constexpr const char* kUndoName = "lumivaneMaximiseUndo";
// How long the compositor may take to answer a maximise or its undoing
// before the window takes its fixed size back.
constexpr int kAnswerWaitMs = 1000;

// One maximise of one fixed-size window, from the request to the window's
// fixed size back in force.
class MaximiseUndo final : public QObject {
public:
    explicit MaximiseUndo(QWidget* window) : QObject(window), m_window(window), m_fixed(window->size())
    {
        setObjectName(QLatin1String(kUndoName));
        // The compositor's size must be allowed before its answer arrives,
        // or the window would answer it with the wrong one.
        window->setMinimumSize(0, 0);
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window->installEventFilter(this);
        m_wait.setSingleShot(true);
        m_wait.callOnTimeout(this, &MaximiseUndo::GiveUpWaiting);
        m_wait.start(kAnswerWaitMs);
    }

    // The compositor maximised the window. The normal state is asked for
    // once a frame at the new size went out: a compositor compares the
    // request with the state the window last drew in, so an earlier one
    // would be dropped as no change.
    void Granted()
    {
        m_granted = true;
        m_window->update();
        m_wait.start(kAnswerWaitMs);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_granted && !m_undoing && m_window->size() != m_fixed) {
            m_undoing = true;
            QTimer::singleShot(0, this, [this] { m_window->windowHandle()->setWindowStates(Qt::WindowNoState); });
        } else if (event->type() == QEvent::Resize && m_undoing && m_window->size() == m_fixed) {
            Finish();
        }
        return false;
    }

private:
    void GiveUpWaiting()
    {
        // A compositor that never answered (one that refuses to maximise a
        // window of fixed size) leaves the window at its size.
        if (m_window->size() == m_fixed)
            Finish();
        else
            m_wait.start(kAnswerWaitMs);
    }

    void Finish()
    {
        m_window->setFixedSize(m_fixed);
        m_window->removeEventFilter(this);
        deleteLater();
    }

    QWidget* m_window;
    QSize m_fixed;
    QTimer m_wait;
    bool m_granted = false;
    bool m_undoing = false;
};

void OnStateChanged(QWidget* window, Qt::WindowState state)
{
    if (state != Qt::WindowMaximized)
        return;
    // By name: the class has no meta-object of its own to be found by.
    if (auto* undo = window->findChild<QObject*>(QLatin1String(kUndoName), Qt::FindDirectChildrenOnly)) {
        static_cast<MaximiseUndo*>(undo)->Granted();
        return;
    }
    if (window->minimumSize() != window->maximumSize())
        return;
    new MaximiseUndo(window);
    // Only the request went out; the state follows the compositor's answer.
    window->windowHandle()->setWindowStates(Qt::WindowNoState);
}

class WindowWatcher final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        if (!window->isWindow() || window->windowHandle() == nullptr || window->property(kWatched).toBool())
            return false;
        window->setProperty(kWatched, true);
        QPointer<QWidget> guard(window);
        QObject::connect(window->windowHandle(), &QWindow::windowStateChanged, window,
                         [guard](Qt::WindowState state) {
                             if (!guard.isNull())
                                 OnStateChanged(guard, state);
                         });
        return false;
    }
};

}  // namespace

void RefuseMaximiseOfFixedWindows()
{
    static bool installed = false;
    if (installed || !OnWayland() || QCoreApplication::instance() == nullptr)
        return;
    installed = true;
    QCoreApplication::instance()->installEventFilter(new WindowWatcher);
}

}  // namespace platform::detail
