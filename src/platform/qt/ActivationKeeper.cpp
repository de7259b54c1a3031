#include "platform/qt/ActivationKeeper.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace platform::detail {

namespace {

// The activation a mapping brings arrives within a few hundred milliseconds;
// later ones, or ones after the user touched the window, are the user's.
constexpr int kMappingWindowMs = 1000;

class ActivationKeeper final : public QObject {
public:
    ActivationKeeper(QWidget* window, QWidget* previous) : QObject(window), m_previous(previous)
    {
        window->installEventFilter(this);
        QTimer::singleShot(kMappingWindowMs, this, [this] { deleteLater(); });
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::WindowActivate:
            if (m_previous != nullptr && m_previous->isVisible())
                m_previous->activateWindow();
            deleteLater();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
            deleteLater();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QPointer<QWidget> m_previous;
};

}  // namespace

void KeepActivationWhileShowing(QWidget* window)
{
    QWidget* previous = QApplication::activeWindow();
    if (window == nullptr || !window->isWindow() || window->isVisible() || previous == nullptr || previous == window)
        return;
    new ActivationKeeper(window, previous);
}

}  // namespace platform::detail
