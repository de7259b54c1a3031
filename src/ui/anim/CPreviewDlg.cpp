#include "ui/anim/CPreviewDlg.h"

#include "platform/ui/CStatic.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"
#include "ui/anim/LogoViewMenu.h"

CPreviewDlg::CPreviewDlg() : platform::CDialog(res::PreviewDialogTemplate()) {}

const platform::MessageMapBase* CPreviewDlg::GetMessageMap() const
{
    static constexpr auto map = platform::MakeMessageMap<CPreviewDlg>(
        platform::OnWmContextMenu(&CPreviewDlg::OnContextMenu),
        platform::OnMenuCommand(res::IDM_BOOT_SCREEN, &CPreviewDlg::OnBootScreen),
        platform::OnMenuCommand(res::IDM_EXPORT_ANIMATION, &CPreviewDlg::OnExportAnimation));
    return &map;
}

BOOL CPreviewDlg::OnInitDialog()
{
    platform::CDialog::OnInitDialog();
    InstallLogoViewShortcuts(*this);
    return TRUE;
}

void CPreviewDlg::ShowPicture(const logo::Picture* picture)
{
    if (auto* control = GetDlgItemAs<platform::CStatic>(res::IDC_PREVIEW_PICTURE))
        control->SetBitmap(picture);
}

void CPreviewDlg::Redraw()
{
    Invalidate(TRUE);
}

bool CPreviewDlg::ShowsLogo() const
{
    const auto* control = GetDlgItemAs<platform::CStatic>(res::IDC_PREVIEW_PICTURE);
    const logo::Picture* shown = control != nullptr ? control->GetBitmap() : nullptr;
    return m_commands != nullptr && shown != nullptr && logo::IsLogoImage(*shown);
}

void CPreviewDlg::OnContextMenu(platform::CWnd*, platform::CPoint point)
{
    TrackLogoViewMenu(*this, point, ShowsLogo());
}

void CPreviewDlg::OnBootScreen()
{
    if (ShowsLogo())
        m_commands->OpenBootScreen(*this);
}

void CPreviewDlg::OnExportAnimation()
{
    if (ShowsLogo())
        m_commands->ExportAnimation(*this);
}
