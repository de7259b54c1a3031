#pragma once
// The state the palette operations and the palette-cycling animation act on.
// Plain values, so the whole state (with its picture) can be copied.

#include "logo/Picture.h"

#include <cstdint>

namespace logo {

struct PaletteState {
    LogoImage* m_picture = nullptr;      // not owned
    ColorTable m_colorTable{};           // working copy of the picture's table
    std::uint8_t m_animCount = 0;        // N: entries 256 - N .. 255 cycle
    std::int32_t m_phase = 0;            // ticks since the start, modulo N
    bool m_animating = false;
    std::uint8_t m_red = 0;
    std::uint8_t m_green = 0;
    std::uint8_t m_blue = 0;
    std::int32_t m_highlight = -1;       // framed swatch, -1 for none
    bool m_modified = false;
    std::uint8_t m_freedCount = 0;       // grey entries at the end after the last RemoveUnusedColors
};

// What the operations ask of whoever shows the state (the editor). Every
// call is a no-op by default, so the operations run headless as well.
class PaletteView {
public:
    virtual ~PaletteView() = default;
    // Copies the editor's fields into the state; false when a field is bad.
    virtual bool ReadFields(PaletteState&) { return true; }
    virtual void ShowFields(const PaletteState&) {}
    virtual void RedrawEditor() {}
    virtual void RedrawPreview() {}
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
};

// A view that does nothing, for callers without a user interface.
PaletteView& NoView();

}  // namespace logo
