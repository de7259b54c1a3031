#pragma once
// A brush: a solid colour, or the null brush (fills nothing).

#include "platform/ui/CGdiObject.h"

namespace platform {

class CBrush : public CGdiObject {
public:
    CBrush() : CGdiObject(Kind::Brush) {}
    explicit CBrush(COLORREF color);

    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateNullBrush();

    bool IsNull() const { return m_null; }
    COLORREF Color() const { return m_color; }

private:
    bool m_null = false;
    COLORREF m_color = 0;
};

}  // namespace platform
