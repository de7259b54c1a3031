#include "ui/anim/AnimMouseTools.h"

#include "platform/ui/MouseCapture.h"
#include "platform/ui/CRect.h"
#include "platform/ui/UiConstants.h"
#include "resources/ResourceIds.h"

void AnimMouseTools::Reset()
{
    m_pickMode = false;
    m_placeMode = false;
    m_swapMode = false;
    m_ownCursor = false;
    m_overGrid = false;
    m_confinement.reset();
}

bool AnimMouseTools::InHotArea(POINT point)
{
    return platform::CRect(m_host.HotAreaClient()).PtInRect(point);
}

void AnimMouseTools::SetToolCursor(int cursorId, bool keepPrevious)
{
    const HCURSOR previous = platform::SetCursor(platform::LoadCursorA(cursorId));
    // Only the cursor from before the editor's own is worth keeping: one
    // tool cursor replacing another must not become the one given back.
    if (keepPrevious && !m_ownCursor)
        m_savedCursor = previous;
    m_ownCursor = true;
}

void AnimMouseTools::RestoreCursor()
{
    platform::SetCursor(m_savedCursor);
    m_ownCursor = false;
}

void AnimMouseTools::Confine(const RECT& screenRect)
{
    m_confinement = screenRect;
    platform::ClipCursor(&screenRect);
}

void AnimMouseTools::ReleaseConfinement()
{
    m_confinement.reset();
    platform::ClipCursor(nullptr);
}

void AnimMouseTools::SyncCapture()
{
    const HWND editor = m_host.EditorWindow();
    if (Running()) {
        if (editor != nullptr && platform::GetCapture() != editor)
            platform::SetCapture(editor);
    } else if (editor != nullptr && platform::GetCapture() == editor) {
        platform::ReleaseCapture();
    }
}

void AnimMouseTools::StartPick()
{
    if (!m_host.PreviewVisible()) {
        m_host.ReportPreviewHidden();
        return;
    }
    m_host.RaisePreview();
    const logo::PaletteState& palette = m_host.ToolPalette();
    m_savedColor = logo::MakeColorValue(palette.m_red, palette.m_green, palette.m_blue);
    m_pickMode = true;
    SyncCapture();
    SetToolCursor(res::IDCUR_PIPETTE, true);
    if (const std::optional<RECT> preview = m_host.PreviewClientOnScreen())
        Confine(*preview);
}

void AnimMouseTools::StartPlace()
{
    SetToolCursor(res::IDCUR_BUCKET, true);
    Confine(m_host.HotAreaScreen());
    m_placeMode = true;
    SyncCapture();
}

void AnimMouseTools::OnMouseMove(UINT, POINT point)
{
    const bool inHotArea = InHotArea(point);
    if (m_pickMode) {
        // The current colour follows the cursor over the picture; a point
        // off the picture (where confinement cannot hold the cursor) has no
        // colour to take. The cursor is over the preview now, not over the
        // grid, even where the preview lies over the grid.
        m_overGrid = false;
        const COLORREF color = m_host.PreviewPixelAt(point);
        if (color != CLR_INVALID)
            m_host.ApplyCurrentColor(color);
        return;
    }
    if (inHotArea) {
        m_overGrid = true;
        if (!m_ownCursor && !m_placeMode && !m_swapMode)
            SetToolCursor(res::IDCUR_PIPETTE, true);
        return;
    }
    m_overGrid = false;
    if (m_ownCursor && !m_placeMode && !m_swapMode)
        RestoreCursor();
}

void AnimMouseTools::OnLButtonDown(UINT keyFlags, POINT point)
{
    const bool shift = (keyFlags & MK_SHIFT) != 0;
    const bool control = (keyFlags & MK_CONTROL) != 0;
    // m_overGrid is what the moves last saw and a press never changes it:
    // a press that ends the pick tool over the grid (the preview lying over
    // it) is not a grid click, nor is one that comes before any move.
    const bool inHotArea = InHotArea(point);
    logo::PaletteState& palette = m_host.ToolPalette();

    // 1. The pick tool ends, keeping the colour of the last move.
    if (m_pickMode) {
        m_pickMode = false;
        ReleaseConfinement();
        SyncCapture();
        RestoreCursor();
    }

    // 2. A click on the grid while idle.
    if (m_overGrid && !m_placeMode && !m_swapMode && !palette.m_animating) {
        const COLORREF color = m_host.EditorPixelAt(point);
        palette.m_highlight = -1;
        if (color != CLR_INVALID)
            m_host.ApplyCurrentColor(color);
        if (control) {
            const std::uint8_t entry = logo::EntryAt(point.x, point.y);
            palette.m_highlight = entry;
            if (entry != 0 && entry != 255) {
                palette.m_animCount = static_cast<std::uint8_t>(256 - entry);
                m_host.ShowFieldValues();
            } else {
                palette.m_highlight = -1;
            }
            m_host.RepaintEditor();
        }
        if (shift) {
            m_swapMode = true;
            // The cursor to give back stays the one from before the hover.
            SetToolCursor(res::IDCUR_SWAP, false);
            m_swapFirst = logo::EntryAt(point.x, point.y);
            // Disabling a focused count field takes its focus, and the
            // focus loss moves the highlight: frame the first swatch after.
            m_host.EnableCountField(false);
            palette.m_highlight = m_swapFirst;
            m_host.RepaintEditor();
            Confine(m_host.HotAreaScreen());
        }
    }

    // 3. The second swatch of a swap; Shift still held keeps it waiting.
    //    The confinement keeps the cursor on the grid; where the display
    //    cannot confine it, a click beside the grid does not count.
    if (m_swapMode && !shift && inHotArea) {
        ReleaseConfinement();
        platform::SetCursor(platform::LoadCursorA(res::IDCUR_PIPETTE));
        const std::uint8_t second = logo::EntryAt(point.x, point.y);
        const std::uint8_t first = m_swapFirst;
        m_swapMode = false;
        palette.m_highlight = -1;
        m_host.EnableCountField(true);
        m_host.SwapSwatches(first, second);
        m_host.RepaintEditor();
    }

    // 4. Place the current colour; Shift keeps the tool for more.
    if (m_placeMode && inHotArea) {
        m_host.PlaceSwatch(logo::EntryAt(point.x, point.y));
        palette.m_modified = true;
        if (!shift) {
            ReleaseConfinement();
            RestoreCursor();
            m_placeMode = false;
        }
    }
    SyncCapture();
}

void AnimMouseTools::OnRButtonDown(UINT, POINT)
{
    logo::PaletteState& palette = m_host.ToolPalette();
    if (m_pickMode) {
        m_pickMode = false;
        ReleaseConfinement();
        m_host.ApplyCurrentColor(m_savedColor);
        SyncCapture();
        RestoreCursor();
    }
    if (m_placeMode) {
        ReleaseConfinement();
        RestoreCursor();
        m_placeMode = false;
    }
    if (m_swapMode) {
        ReleaseConfinement();
        platform::SetCursor(platform::LoadCursorA(res::IDCUR_PIPETTE));
        m_host.EnableCountField(true);
        palette.m_highlight = -1;
        m_swapMode = false;
        m_host.RepaintEditor();
    }
    SyncCapture();
}

void AnimMouseTools::Suspend()
{
    const HWND editor = m_host.EditorWindow();
    if (editor != nullptr && platform::GetCapture() == editor)
        platform::ReleaseCapture();
    if (platform::CursorClip().has_value())
        platform::ClipCursor(nullptr);
}

void AnimMouseTools::Resume()
{
    if (!Running())
        return;
    if (m_confinement)
        platform::ClipCursor(&*m_confinement);
    SyncCapture();
}

void AnimMouseTools::EndAll()
{
    if (m_ownCursor)
        RestoreCursor();
    m_pickMode = false;
    m_placeMode = false;
    m_swapMode = false;
    m_overGrid = false;
    m_confinement.reset();
    platform::ClipCursor(nullptr);
    SyncCapture();
}
