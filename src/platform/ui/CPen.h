#pragma once
// A pen: PS_SOLID of a width and colour, or PS_NULL (draws nothing).

#include "platform/ui/CGdiObject.h"

namespace platform {

class CPen : public CGdiObject {
public:
    CPen() : CGdiObject(Kind::Pen) {}
    CPen(int penStyle, int width, COLORREF color);

    BOOL CreatePen(int penStyle, int width, COLORREF color);

    int Style() const { return m_style; }
    int Width() const { return m_width; }
    COLORREF Color() const { return m_color; }
    // True when the pen draws nothing.
    bool IsNull() const;

private:
    int m_style = 0;
    int m_width = 1;
    COLORREF m_color = 0;
};

}  // namespace platform
