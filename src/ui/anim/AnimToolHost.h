#pragma once
// What the mouse tools need from the editor: its windows, its pixels and
// the palette operations with the editor's redraws. The editor implements it.

#include "logo/PaletteOperations.h"
#include "logo/PaletteState.h"
#include "platform/WinTypes.h"

#include <cstdint>
#include <optional>

class AnimToolHost {
public:
    virtual logo::PaletteState& ToolPalette() = 0;
    virtual HWND EditorWindow() = 0;
    // The swatch area shrunk by 5 pixels on every side, in the editor's
    // client coordinates or in screen coordinates.
    virtual RECT HotAreaClient() = 0;
    virtual RECT HotAreaScreen() = 0;

    virtual bool PreviewVisible() = 0;
    virtual void RaisePreview() = 0;
    // The preview's client area on the screen; nullopt without a window.
    virtual std::optional<RECT> PreviewClientOnScreen() = 0;
    // The colour shown under a point of the editor's client area: in the
    // preview window, or in the editor itself. CLR_INVALID outside.
    virtual COLORREF PreviewPixelAt(POINT editorClient) = 0;
    virtual COLORREF EditorPixelAt(POINT editorClient) = 0;

    // The palette operations with the editor's fields and redraws.
    virtual void ApplyCurrentColor(logo::ColorValue color) = 0;
    virtual void SwapSwatches(std::uint8_t a, std::uint8_t b) = 0;
    virtual void PlaceSwatch(std::uint8_t index) = 0;
    virtual void ShowFieldValues() = 0;
    virtual void RepaintEditor() = 0;
    virtual void EnableCountField(bool enable) = 0;
    virtual void ReportPreviewHidden() = 0;

protected:
    ~AnimToolHost() = default;
};
