#pragma once
// Disabling a top-level window the way Windows disables a modal dialog's
// owner: the window and everything on it stop taking mouse and keyboard
// input, but nothing turns grey and the controls keep their own enabled
// state. (The toolkit's own disabling would also disable the owner's
// child windows, the modal dialog itself among them.)

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace platform::detail {

class InputBlocker : public QObject {
public:
    static InputBlocker& Instance();

    void Block(QWidget* window);
    void Unblock(QWidget* window);
    bool IsBlocked(const QWidget* window) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    InputBlocker();

    std::vector<QPointer<QWidget>> m_blocked;
};

}  // namespace platform::detail
