#include "platform/ui/CGdiObject.h"
#include "platform/ui/CBrush.h"
#include "platform/ui/CPen.h"
#include "platform/ui/UiConstants.h"

namespace platform {

BOOL CGdiObject::DeleteObject()
{
    const bool wasCreated = m_created;
    m_created = false;
    return wasCreated ? TRUE : FALSE;
}

CGdiObject* GetStockObject(int index)
{
    static CPen nullPen(PS_NULL, 0, 0);
    static CPen blackPen(PS_SOLID, 1, RGB(0, 0, 0));
    static CPen whitePen(PS_SOLID, 1, RGB(255, 255, 255));
    static CBrush whiteBrush(RGB(255, 255, 255));
    static CBrush blackBrush(RGB(0, 0, 0));
    static CBrush nullBrush = [] {
        CBrush b;
        b.CreateNullBrush();
        return b;
    }();
    switch (index) {
    case NULL_PEN: return &nullPen;
    case BLACK_PEN: return &blackPen;
    case WHITE_PEN: return &whitePen;
    case NULL_BRUSH: return &nullBrush;
    case WHITE_BRUSH: return &whiteBrush;
    case BLACK_BRUSH: return &blackBrush;
    default: return nullptr;
    }
}

}  // namespace platform
