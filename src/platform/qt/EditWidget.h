#pragma once
// The edit control: a line edit with Windows' edges, digits only for
// ES_NUMBER (typing only: text set by the program is taken as it is).

#include "platform/qt/WindowFace.h"
#include "platform/ui/DialogTemplate.h"

#include <QLineEdit>

namespace platform::detail {

class EditWidget : public QLineEdit, public WindowFace {
public:
    EditWidget(const ControlTemplate& tpl, QWidget* parent);

    QString WindowText() const override { return text(); }
    // Only a real change raises EN_CHANGE.
    void SetWindowText(const QString& value) override
    {
        if (text() != value)
            setText(value);
    }
    QRect ClientArea() const override { return contentsRect(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DWORD m_edgeStyle;
    DWORD m_exStyle;
};

}  // namespace platform::detail
