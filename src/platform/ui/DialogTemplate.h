#pragma once
// Dialog templates as data, the way a resource script lays them out: a
// window with its style and size in dialog units, then its controls in tab
// order, each with its window class, text, rectangle and style bits.

#include "platform/WinTypes.h"

#include <span>

namespace platform {

enum class ControlClass { Button, Static, Edit, ComboBox };

struct ControlTemplate {
    int id;                // -1 for controls without an id (IDC_STATIC)
    ControlClass cls;
    const char* text;      // caption; for SS_ICON / SS_BITMAP statics the resource id as text ("#1000")
    short x, y, cx, cy;    // dialog units
    DWORD style;           // WS_*, BS_*, SS_*, ES_*, CBS_* bits (WS_CHILD | WS_VISIBLE implied)
    DWORD exStyle;         // WS_EX_* bits
    bool hidden = false;   // created without WS_VISIBLE (a frame that only marks an area)
};

struct DialogTemplate {
    int id;
    const char* caption;
    short x, y, cx, cy;    // dialog units
    DWORD style;           // WS_*, DS_* bits
    DWORD exStyle;         // WS_EX_* bits
    const char* fontName;
    int fontPointSize;
    std::span<const ControlTemplate> controls;
};

}  // namespace platform
