#include "ui/anim/CPreviewDlg.h"

#include "platform/ui/CStatic.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

CPreviewDlg::CPreviewDlg() : platform::CDialog(res::PreviewDialogTemplate()) {}

void CPreviewDlg::ShowPicture(const logo::Picture* picture)
{
    if (auto* control = GetDlgItemAs<platform::CStatic>(res::IDC_PREVIEW_PICTURE))
        control->SetBitmap(picture);
}

void CPreviewDlg::Redraw()
{
    Invalidate(TRUE);
}
