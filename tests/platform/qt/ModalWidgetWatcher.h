#pragma once
// Helpers for driving real modal dialogs from a test: run a function on the
// modal widget once it is open (from inside its modal loop).

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace services_test {

class ModalWatcher : public QObject {
public:
    ModalWatcher(std::function<void(QWidget*)> act, QWidget* below)
        : QObject(qApp), m_act(std::move(act)), m_below(below)
    {
        m_started.start();
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start();
    }

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        // On a real display the window system activates the dialog a little
        // later (under Wayland only then do keys reach it); a person waits
        // for that, and so does the test, for a while.
        const bool waitForActivation = QGuiApplication::platformName() != QLatin1String("offscreen") && modal &&
                                       !modal->isActiveWindow() && m_started.elapsed() < 2000;
        if (modal && modal != m_below && modal->isVisible() && !waitForActivation) {
            m_timer.stop();
            auto act = std::move(m_act);
            deleteLater();
            act(modal);
        } else if (m_started.elapsed() > 5000) {
            m_timer.stop();
            deleteLater();
            ADD_FAILURE() << "no modal dialog opened";
        }
    }

    std::function<void(QWidget*)> m_act;
    QWidget* m_below;
    QElapsedTimer m_started;
    QTimer m_timer;
};

// Calls `act` with the active modal widget as soon as one other than `below`
// is open. Gives up (and fails the test) after a few seconds.
inline void WhenModalOpens(std::function<void(QWidget*)> act, QWidget* below = nullptr)
{
    new ModalWatcher(std::move(act), below);
}

}  // namespace services_test
