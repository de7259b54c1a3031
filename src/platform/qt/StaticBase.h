#pragma once
// Base of the self-drawn statics (pictures, frames, lines, icons) and the
// group box: edges around a client area, and transparent to the mouse
// unless SS_NOTIFY asks for clicks (the dialog then gets the mouse, as
// Windows' hit test passes it through).

#include "platform/qt/WindowFace.h"
#include "platform/ui/DialogTemplate.h"

#include <QWidget>

namespace platform::detail {

class StaticBase : public QWidget, public WindowFace {
public:
    StaticBase(const ControlTemplate& tpl, QWidget* parent);

    // Pictures, frames and icons carry no text.
    QString WindowText() const override { return {}; }
    void SetWindowText(const QString&) override {}
    QRect ClientArea() const override { return ClientRect(); }

    // The client area inside the edges, in widget coordinates.
    QRect ClientRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    virtual void PaintClient(QPainter& painter, const QRect& client) = 0;

    DWORD Style() const { return m_style; }

private:
    DWORD m_style;
    DWORD m_exStyle;
    DWORD m_edgeStyle;
};

}  // namespace platform::detail
