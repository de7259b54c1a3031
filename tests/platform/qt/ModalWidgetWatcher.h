#pragma once
// Helpers for driving real modal dialogs from a test: run a function on the
// modal widget once it is open (from inside its modal loop), and end it if
// it is left open.

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

namespace services_test {

// What a modal widget says, for a failure message.
inline std::string DescribeModal(QWidget* modal)
{
    QString text = QStringLiteral("\"%1\"").arg(modal->windowTitle());
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        text += QStringLiteral(" saying \"%1\"").arg(box->text());
    return text.toStdString();
}

// A modal widget that a test drove but that is still open a few seconds
// later is stuck (a question the test did not expect, a key that went
// nowhere): the test fails with what is open, and the modal widgets are
// closed from the top, so the test ends instead of waiting for ctest's
// timeout.
class LeftOpenGuard : public QObject {
public:
    explicit LeftOpenGuard(QWidget* modal) : QObject(qApp), m_modal(modal)
    {
        m_started.start();
        m_timer.setInterval(100);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Check(); });
        m_timer.start();
    }

private:
    void Check()
    {
        if (m_modal.isNull() || !m_modal->isVisible()) {
            m_timer.stop();
            deleteLater();
            return;
        }
        if (m_started.elapsed() < 5000)
            return;
        QWidget* top = QApplication::activeModalWidget();
        if (top == nullptr)
            top = m_modal;
        ADD_FAILURE() << "a dialog the test drove is still open: " << DescribeModal(top);
        if (auto* dialog = qobject_cast<QDialog*>(top))
            dialog->done(QDialog::Rejected);
        else
            top->close();
    }

    QPointer<QWidget> m_modal;
    QElapsedTimer m_started;
    QTimer m_timer;
};

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
        // The window system activates the dialog a little later, and only
        // then has the field the user types into the keyboard focus; a
        // person waits for that, and so does the test, for a while.
        const bool waitForActivation = modal && !modal->isActiveWindow() && m_started.elapsed() < 2000;
        if (modal && modal != m_below && modal->isVisible() && !waitForActivation) {
            m_timer.stop();
            deleteLater();
            if (m_gaveUp) {
                // Too late for the test's steps; closed so that it ends.
                ADD_FAILURE() << "a dialog opened only after " << m_started.elapsed() << " ms: " << DescribeModal(modal);
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->done(QDialog::Rejected);
                return;
            }
            auto act = std::move(m_act);
            new LeftOpenGuard(modal);
            act(modal);
        } else if (!m_gaveUp && m_started.elapsed() > 15000) {
            ADD_FAILURE() << "no modal dialog opened within 15 s";
            m_gaveUp = true;
        } else if (m_started.elapsed() > 60000) {
            m_timer.stop();
            deleteLater();
        }
    }

    std::function<void(QWidget*)> m_act;
    QWidget* m_below;
    bool m_gaveUp = false;
    QElapsedTimer m_started;
    QTimer m_timer;
};

// Calls `act` with the active modal widget as soon as one other than `below`
// is open. Fails the test when none opens within 15 s.
inline void WhenModalOpens(std::function<void(QWidget*)> act, QWidget* below = nullptr)
{
    new ModalWatcher(std::move(act), below);
}

}  // namespace services_test
