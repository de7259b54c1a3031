#pragma once
// The combo box control: Qt's own, with a face for the framework's text
// queries (the edit field of a drop-down combo box).

#include "platform/qt/WindowFace.h"

#include <QComboBox>

namespace platform::detail {

class ComboWidget : public QComboBox, public WindowFace {
public:
    explicit ComboWidget(QWidget* parent) : QComboBox(parent) {}

    QString WindowText() const override { return currentText(); }
    // Only an editable combo box has text of its own to set.
    void SetWindowText(const QString& text) override
    {
        if (isEditable())
            setEditText(text);
    }
    QRect ClientArea() const override { return rect(); }
};

}  // namespace platform::detail
