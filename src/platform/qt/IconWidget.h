#pragma once
// The SS_ICON static: an icon resource at 32 x 32 (the control takes the
// icon's size, as Windows sizes it).

#include "platform/qt/StaticBase.h"

#include <QPixmap>

namespace platform::detail {

class IconWidget : public StaticBase {
public:
    IconWidget(const ControlTemplate& tpl, QWidget* parent);
    void SetPixmap(const QPixmap& pixmap);

protected:
    void PaintClient(QPainter& painter, const QRect& client) override;

private:
    QPixmap m_pixmap;
};

}  // namespace platform::detail
