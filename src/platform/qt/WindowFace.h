#pragma once
// What one of our control widgets answers for itself when the framework
// asks a window for its text or its client area, so CWnd needs no switch
// on the kinds of widget. A widget without a face has no text and its whole
// rectangle as client area.

#include <QRect>
#include <QString>

class QWidget;

namespace platform::detail {

class WindowFace {
public:
    virtual ~WindowFace() = default;
    // The text as the applet set it (mnemonic ampersands kept).
    virtual QString WindowText() const = 0;
    virtual void SetWindowText(const QString& text) = 0;
    // The client area in widget coordinates.
    virtual QRect ClientArea() const = 0;
};

// The widget's face; nullptr when it has none.
WindowFace* FaceOf(QWidget* widget);
const WindowFace* FaceOf(const QWidget* widget);

}  // namespace platform::detail
