#pragma once
// The edit control: a line edit with Windows' edges, digits only for
// ES_NUMBER (typing only: text set by the program is taken as it is).

#include "platform/ui/DialogTemplate.h"

#include <QLineEdit>

namespace platform::detail {

class EditWidget : public QLineEdit {
public:
    EditWidget(const ControlTemplate& tpl, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DWORD m_edgeStyle;
    DWORD m_exStyle;
};

}  // namespace platform::detail
