#include "platform/ui/CPictureWnd.h"
#include "platform/ui/Accelerators.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CRect.h"
#include "platform/ui/ControlText.h"
#include "platform/ui/FullScreen.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {

constexpr std::array kPictureKeys = {
    ACCEL{FVIRTKEY, static_cast<WORD>(VK_F11), static_cast<WORD>(CPictureWnd::kFullScreenCommand)},
};

int StatusHeight(const CWnd* status)
{
    if (status == nullptr) {
        return 0;
    }
    // The whole control, its edge included.
    CRect rect;
    status->GetWindowRect(&rect);
    return rect.Height();
}

}  // namespace

CPictureWnd::CPictureWnd(const DialogTemplate& dialogTemplate, int statusControlId, CWnd* parent)
    : CDialog(dialogTemplate, parent), m_statusControlId(statusControlId)
{
}

const MessageMapBase* CPictureWnd::GetMessageMap() const
{
    static constexpr auto map = MakeMessageMap<CPictureWnd>(
        OnMenuCommand(kFullScreenCommand, &CPictureWnd::OnFullScreenCommand),
        OnWmLButtonDblClk(&CPictureWnd::OnDoubleClick));
    return &map;
}

BOOL CPictureWnd::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetAccelerators(*this, kPictureKeys);
    m_statusMeasuredWidth = -1;
    CRect frame;
    CRect client;
    GetWindowRect(&frame);
    GetClientRect(&client);
    // Before it is first shown a window may not know its frame yet: room is
    // kept for a usual one (borders and a title bar).
    const bool frameKnown = frame.Width() != client.Width() || frame.Height() != client.Height();
    const int frameWidth = frameKnown ? frame.Width() - client.Width() : 0;
    const int frameHeight = frameKnown ? frame.Height() - client.Height() : 0;
    const int roomForFrameWidth = frameKnown ? 0 : kUsualFrameWidth;
    const int roomForFrameHeight = frameKnown ? 0 : kUsualFrameHeight;
    const CWnd* status = GetDlgItem(m_statusControlId);
    const auto statusHeightAt = [&](int width) { return status != nullptr ? StatusHeightAt(*status, width) : 0; };
    int pictureWidth = std::max(m_picture.width, 1);
    int pictureHeight = std::max(m_picture.height, 1);
    int statusHeight = statusHeightAt(pictureWidth);
    // A picture larger than the work area (a small screen, a large scale
    // factor) is shown smaller, in its proportions, so the whole window and
    // its status line fit on the screen. A narrower status line may need
    // more lines: fitted again once for those.
    CRect area;
    if (GetWorkArea(*this, &area)) {
        for (int pass = 0; pass < 2; ++pass) {
            const long long roomWidth = std::max(area.Width() - frameWidth - roomForFrameWidth, 1);
            const long long roomHeight = std::max(area.Height() - statusHeight - frameHeight - roomForFrameHeight, 1);
            if (pictureWidth > roomWidth || pictureHeight > roomHeight) {
                if (roomWidth * pictureHeight <= roomHeight * pictureWidth) {
                    pictureHeight = static_cast<int>(roomWidth * pictureHeight / pictureWidth);
                    pictureWidth = static_cast<int>(roomWidth);
                } else {
                    pictureWidth = static_cast<int>(roomHeight * pictureWidth / pictureHeight);
                    pictureHeight = static_cast<int>(roomHeight);
                }
            }
            const int needed = statusHeightAt(pictureWidth);
            if (needed <= statusHeight)
                break;
            statusHeight = needed;
        }
    }
    const int width = pictureWidth + frameWidth;
    const int height = pictureHeight + statusHeight + frameHeight;
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!area.IsRectEmpty()) {
        // Placed for the template's size: kept on the screen at this one.
        GetWindowRect(&frame);
        const int outerWidth = width + roomForFrameWidth;
        const int outerHeight = height + roomForFrameHeight;
        const int left = std::clamp<int>(frame.left, area.left, std::max<int>(area.left, area.right - outerWidth));
        const int top = std::clamp<int>(frame.top, area.top, std::max<int>(area.top, area.bottom - outerHeight));
        if (left != frame.left || top != frame.top)
            SetWindowPos(nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Layout();
    return TRUE;
}

void CPictureWnd::OnCancel()
{
    if (InFullScreen()) {
        ToggleFullScreen();
        return;
    }
    CDialog::OnCancel();
}

void CPictureWnd::SetPicture(logo::RgbImage picture)
{
    m_picture = std::move(picture);
    Invalidate(FALSE);
}

void CPictureWnd::SetBorderColor(COLORREF color)
{
    if (color != m_borderColor) {
        m_borderColor = color;
        Invalidate(FALSE);
    }
}

void CPictureWnd::SetStatusText(const std::string& text)
{
    if (CWnd* status = GetDlgItem(m_statusControlId); status != nullptr && status->GetWindowText() != text) {
        status->SetWindowText(text);
        m_statusMeasuredWidth = -1;
        Layout();
        Invalidate(FALSE);
    }
}

void CPictureWnd::ToggleFullScreen()
{
    SetFullScreen(*this, InFullScreen() ? FALSE : TRUE);
    Layout();
    Invalidate(FALSE);
}

bool CPictureWnd::InFullScreen() const
{
    return IsFullScreen(*this) != FALSE;
}

void CPictureWnd::OnFullScreenCommand()
{
    ToggleFullScreen();
}

void CPictureWnd::OnDoubleClick(UINT, CPoint)
{
    ToggleFullScreen();
}

int CPictureWnd::StatusHeightAt(const CWnd& status, int width)
{
    // Taken before the status line is first resized: one line's height.
    if (m_statusTemplateHeight == 0)
        m_statusTemplateHeight = StatusHeight(&status);
    // As many lines as the text needs, so a long finding is never cut off;
    // measured again only for a new text or width (every paint asks).
    if (width != m_statusMeasuredWidth) {
        m_statusMeasuredWidth = width;
        m_statusMeasuredHeight = std::max(m_statusTemplateHeight, ControlHeightForWidth(status, width));
    }
    return m_statusMeasuredHeight;
}

void CPictureWnd::Layout()
{
    CWnd* status = GetDlgItem(m_statusControlId);
    if (status == nullptr) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    const int height = StatusHeightAt(*status, client.Width());
    CRect now;
    status->GetWindowRect(&now);
    ScreenToClient(&now);
    if (now.left != 0 || now.top != client.Height() - height || now.Width() != client.Width()
        || now.Height() != height)
        status->MoveWindow(0, client.Height() - height, client.Width(), height);
}

RECT CPictureWnd::PictureRect() const
{
    CRect client;
    GetClientRect(&client);
    const int areaWidth = client.Width();
    const int areaHeight = std::max(client.Height() - StatusHeight(GetDlgItem(m_statusControlId)), 0);
    if (m_picture.width <= 0 || m_picture.height <= 0 || areaWidth <= 0 || areaHeight <= 0) {
        return RECT{0, 0, 0, 0};
    }
    // The largest size of the picture's proportions that fits, compared in
    // 64 bits: width * areaHeight against height * areaWidth.
    int width = areaWidth;
    int height = static_cast<int>(static_cast<long long>(m_picture.height) * areaWidth / m_picture.width);
    if (height > areaHeight) {
        height = areaHeight;
        width = static_cast<int>(static_cast<long long>(m_picture.width) * areaHeight / m_picture.height);
    }
    const int left = (areaWidth - width) / 2;
    const int top = (areaHeight - height) / 2;
    return RECT{left, top, left + width, top + height};
}

void CPictureWnd::OnPaint()
{
    // A window manager sizes a window for full screen (and back) a little
    // later than asked; the status line follows the size the paint finds.
    Layout();
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int areaHeight = std::max(client.Height() - StatusHeight(GetDlgItem(m_statusControlId)), 0);
    dc.FillSolidRect(0, 0, client.Width(), areaHeight, m_borderColor);
    const RECT target = PictureRect();
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width <= 0 || height <= 0 || m_picture.rgb.size() < static_cast<std::size_t>(m_picture.width) * m_picture.height * 3) {
        return;
    }
    for (int y = 0; y < height; ++y) {
        const int sourceY = static_cast<int>(static_cast<long long>(y) * m_picture.height / height);
        for (int x = 0; x < width; ++x) {
            const int sourceX = static_cast<int>(static_cast<long long>(x) * m_picture.width / width);
            const std::uint8_t* rgb = m_picture.PixelAt(sourceX, sourceY);
            dc.SetPixel(target.left + x, target.top + y, RGB(rgb[0], rgb[1], rgb[2]));
        }
    }
}

}  // namespace platform
