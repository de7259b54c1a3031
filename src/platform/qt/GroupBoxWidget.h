#pragma once
// The BS_GROUPBOX button: an etched frame with its caption in the top
// line. Transparent to the mouse, as Windows' group boxes are.

#include "platform/qt/StaticBase.h"

#include <QString>

namespace platform::detail {

class GroupBoxWidget : public StaticBase {
public:
    GroupBoxWidget(const ControlTemplate& tpl, QWidget* parent);
    void SetCaption(const QString& text);
    QString Caption() const { return m_text; }

    QString WindowText() const override { return Caption(); }
    void SetWindowText(const QString& text) override { SetCaption(text); }

protected:
    void PaintClient(QPainter& painter, const QRect& client) override;

private:
    QString m_text;
};

}  // namespace platform::detail
