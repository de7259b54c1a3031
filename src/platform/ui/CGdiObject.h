#pragma once
// Base of the drawing objects a device context selects (pens, brushes).
// An object is usable once created; DeleteObject returns it to the
// uncreated state.

#include "platform/WinTypes.h"

namespace platform {

class CGdiObject {
public:
    enum class Kind { Pen, Brush };

    virtual ~CGdiObject() = default;

    Kind GetKind() const { return m_kind; }
    bool IsCreated() const { return m_created; }
    BOOL DeleteObject();

protected:
    explicit CGdiObject(Kind kind) : m_kind(kind) {}
    CGdiObject(const CGdiObject&) = default;
    CGdiObject& operator=(const CGdiObject&) = default;
    void MarkCreated(bool created) { m_created = created; }

private:
    Kind m_kind;
    bool m_created = false;
};

// The stock pens and brushes (NULL_PEN, BLACK_PEN, WHITE_PEN, NULL_BRUSH,
// WHITE_BRUSH, BLACK_BRUSH); nullptr for any other index.
CGdiObject* GetStockObject(int index);

}  // namespace platform
