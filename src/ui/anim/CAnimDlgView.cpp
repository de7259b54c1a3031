// The editor as the palette operations and the mouse tools see it: fields,
// redraws, the wait cursor, the swatch area, the two windows' pixels.

#include "ui/anim/CAnimDlg.h"

#include "platform/ui/Cursors.h"
#include "platform/ui/CDC.h"
#include "platform/ui/CRect.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kHotAreaInset = 5;

}  // namespace

// --- logo::PaletteView -----------------------------------------------------------

bool CAnimDlg::ReadFields(logo::PaletteState&)
{
    return ReadFields(m_readSource);
}

void CAnimDlg::ShowFields(const logo::PaletteState&)
{
    ShowFields();
}

void CAnimDlg::RedrawEditor()
{
    Invalidate(TRUE);
}

void CAnimDlg::RedrawPreview()
{
    if (m_preview.IsWindow()) {
        m_preview.ShowPicture(m_picture);
        m_preview.Redraw();
    }
}

void CAnimDlg::BeginWaitCursor()
{
    platform::BeginWaitCursor();
}

void CAnimDlg::EndWaitCursor()
{
    platform::EndWaitCursor();
}

// --- AnimToolHost ------------------------------------------------------------------

RECT CAnimDlg::SwatchAreaClient()
{
    platform::CRect area;
    if (platform::CWnd* frame = GetDlgItem(res::IDC_ANIM_SWATCH_AREA)) {
        frame->GetClientRect(&area);
        frame->ClientToScreen(&area);
        ScreenToClient(&area);
    }
    return area;
}

RECT CAnimDlg::HotAreaClient()
{
    platform::CRect area(SwatchAreaClient());
    area.DeflateRect(kHotAreaInset, kHotAreaInset);
    return area;
}

RECT CAnimDlg::HotAreaScreen()
{
    platform::CRect area(HotAreaClient());
    ClientToScreen(&area);
    return area;
}

bool CAnimDlg::PreviewVisible()
{
    return m_preview.IsWindow() && m_preview.IsWindowVisible();
}

void CAnimDlg::RaisePreview()
{
    // Raised, not activated: the editor keeps the activation, so the tool
    // that raises it keeps its capture.
    m_preview.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::optional<RECT> CAnimDlg::PreviewClientOnScreen()
{
    if (!m_preview.IsWindow())
        return std::nullopt;
    platform::CRect client;
    m_preview.GetClientRect(&client);
    m_preview.ClientToScreen(&client);
    return client;
}

COLORREF CAnimDlg::PreviewPixelAt(POINT editorClient)
{
    if (!m_preview.IsWindow())
        return CLR_INVALID;
    POINT point = editorClient;
    ClientToScreen(&point);
    m_preview.ScreenToClient(&point);
    platform::CDC* dc = m_preview.GetDC();
    if (dc == nullptr)
        return CLR_INVALID;
    const COLORREF color = dc->GetPixel(point);
    m_preview.ReleaseDC(dc);
    return color;
}

COLORREF CAnimDlg::EditorPixelAt(POINT editorClient)
{
    platform::CDC* dc = GetDC();
    if (dc == nullptr)
        return CLR_INVALID;
    const COLORREF color = dc->GetPixel(editorClient);
    ReleaseDC(dc);
    return color;
}

void CAnimDlg::ApplyCurrentColor(logo::ColorValue color)
{
    logo::SetCurrentColor(*this, color, *this);
}

void CAnimDlg::SwapSwatches(std::uint8_t a, std::uint8_t b)
{
    logo::SwapEntries(*this, a, b, *this);
}

void CAnimDlg::PlaceSwatch(std::uint8_t index)
{
    logo::PlaceColor(*this, index, *this);
}

void CAnimDlg::EnableCountField(bool enable)
{
    if (platform::CWnd* count = GetDlgItem(res::IDC_ANIM_COUNT))
        count->EnableWindow(enable ? TRUE : FALSE);
}

void CAnimDlg::ReportPreviewHidden()
{
    Message(res::IDS_ANIM_PREVIEW_HIDDEN, res::IDS_CAPTION_ERROR, MB_OK | MB_ICONEXCLAMATION);
}
