#include "platform/ui/CPen.h"
#include "platform/ui/UiConstants.h"

namespace platform {

CPen::CPen(int penStyle, int width, COLORREF color) : CGdiObject(Kind::Pen)
{
    CreatePen(penStyle, width, color);
}

BOOL CPen::CreatePen(int penStyle, int width, COLORREF color)
{
    if (penStyle != PS_SOLID && penStyle != PS_NULL) {
        return FALSE;
    }
    m_style = penStyle;
    // Width 0 means a one-pixel pen, as in Windows.
    m_width = width < 1 ? 1 : width;
    m_color = color;
    MarkCreated(true);
    return TRUE;
}

bool CPen::IsNull() const
{
    return m_style == PS_NULL;
}

}  // namespace platform
