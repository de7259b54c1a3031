#pragma once
// Statics that draw only lines: SS_BLACKFRAME (a one-pixel black frame,
// hollow, so the dialog's own painting shows inside it) and SS_ETCHEDHORZ
// (an etched line along the top).

#include "platform/qt/StaticBase.h"

namespace platform::detail {

class FrameWidget : public StaticBase {
public:
    FrameWidget(const ControlTemplate& tpl, QWidget* parent);

protected:
    void PaintClient(QPainter& painter, const QRect& client) override;
};

}  // namespace platform::detail
