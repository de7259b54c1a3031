#pragma once
// The check box and radio button controls: Qt's own, with a face for the
// framework's text queries.

#include "platform/qt/WindowFace.h"

#include <QCheckBox>
#include <QRadioButton>

namespace platform::detail {

template <class Button>
class ChoiceButton : public Button, public WindowFace {
public:
    explicit ChoiceButton(QWidget* parent) : Button(parent) {}

    QString WindowText() const override { return this->text(); }
    void SetWindowText(const QString& text) override { this->setText(text); }
    QRect ClientArea() const override { return this->rect(); }
};

using CheckBoxWidget = ChoiceButton<QCheckBox>;
using RadioButtonWidget = ChoiceButton<QRadioButton>;

}  // namespace platform::detail
