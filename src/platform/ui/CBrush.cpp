#include "platform/ui/CBrush.h"

namespace platform {

CBrush::CBrush(COLORREF color) : CGdiObject(Kind::Brush)
{
    CreateSolidBrush(color);
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    m_null = false;
    m_color = color & 0x00FFFFFF;
    MarkCreated(true);
    return TRUE;
}

BOOL CBrush::CreateNullBrush()
{
    m_null = true;
    m_color = 0;
    MarkCreated(true);
    return TRUE;
}

}  // namespace platform
