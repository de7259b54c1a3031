#pragma once
// Push buttons, push-like radio buttons and bitmap buttons. BS_FLAT
// buttons are drawn here in the flat Windows look (a one-pixel frame, a
// lighter face when checked, the face shifted while pushed); the others
// keep the toolkit's look.

#include "platform/qt/WindowFace.h"
#include "platform/ui/DialogTemplate.h"

#include <QPixmap>
#include <QPushButton>

namespace platform::detail {

class ButtonWidget : public QPushButton, public WindowFace {
public:
    ButtonWidget(const ControlTemplate& tpl, QWidget* parent);

    QString WindowText() const override { return text(); }
    void SetWindowText(const QString& value) override { setText(value); }
    QRect ClientArea() const override { return rect(); }

    void SetFace(const QPixmap& face);
    bool IsFlat() const { return m_flat; }
    bool IsBitmapButton() const { return m_bitmap; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintFlat();
    QPixmap DisabledFace() const;

    bool m_flat;
    bool m_bitmap;
    QPixmap m_face;
};

}  // namespace platform::detail
