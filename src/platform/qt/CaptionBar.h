#pragma once
// The title bar a window draws itself where it has no other (Wayland, see
// DrawnNonClient.h): the caption on the classic gradient, the window's icon,
// and a close button, nothing else, so a window of fixed size is offered no
// maximise and none is offered a minimise that could not be undone. The
// close button (and Alt+F4) closes the window as the window system's close
// does; a press elsewhere on the bar hands the drag to the window system,
// which moves the window.

#include <QWidget>

class QAbstractButton;

namespace platform::detail {

class CaptionBar final : public QWidget {
public:
    // small: the tool window's low caption.
    CaptionBar(QWidget* window, bool small);

    // The bar's height, without the line under it.
    int BarHeight() const;

    QAbstractButton* CloseButton() const { return m_close; }
    // Presses whose drag was handed to the window system.
    int MovesRequested() const { return m_movesRequested; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QAbstractButton* m_close;
    bool m_small;
    int m_movesRequested = 0;
};

}  // namespace platform::detail
