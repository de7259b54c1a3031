// The part of CDialog every back end shares: the default handlers, the
// default message map behind each dialog's own, and routing through them.

#include "platform/ui/CDataExchange.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/MessageMap.h"

namespace platform {

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnPaint() {}
void CDialog::OnMouseMove(UINT, CPoint) {}
void CDialog::OnLButtonDown(UINT, CPoint) {}
void CDialog::OnRButtonDown(UINT, CPoint) {}

BOOL CDialog::OnSetCursor(CWnd*, UINT, UINT)
{
    return FALSE;
}

void CDialog::OnTimer(UINT_PTR) {}
void CDialog::OnActivate(UINT, CWnd*, BOOL) {}

UINT CDialog::OnToolTipStringId(int)
{
    return 0;
}

const MessageMapBase* CDialog::GetMessageMap() const
{
    return nullptr;
}

const MessageMapBase& CDialog::DefaultMessageMap()
{
    // What every dialog does with a message its own map leaves alone: the
    // virtuals below, which a dialog may override instead of mapping.
    static const auto map = MakeMessageMap<CDialog>(
        OnBnClicked(IDOK, &CDialog::OnOK),
        OnBnClicked(IDCANCEL, &CDialog::OnCancel),
        OnWmTimer(&CDialog::OnTimer),
        OnWmPaint(&CDialog::OnPaint),
        OnWmMouseMove(&CDialog::OnMouseMove),
        OnWmLButtonDown(&CDialog::OnLButtonDown),
        OnWmRButtonDown(&CDialog::OnRButtonDown),
        OnWmSetCursor(&CDialog::OnSetCursor),
        OnWmDestroy(&CDialog::OnDestroy),
        OnWmActivate(&CDialog::OnActivate),
        OnToolTipNeedText(&CDialog::OnToolTipStringId));
    return map;
}

LRESULT CDialog::Route(const MessageEvent& event)
{
    LRESULT result = 0;
    for (const MessageMapBase* map : {GetMessageMap(), &DefaultMessageMap()}) {
        if (map != nullptr && map->Dispatch(*this, event, result)) {
            return result;
        }
    }
    return 0;
}

UINT CDialog::ResolveToolTip(int controlId)
{
    for (const MessageMapBase* map : {GetMessageMap(), &DefaultMessageMap()}) {
        if (map == nullptr) {
            continue;
        }
        if (const UINT id = map->ToolTipStringId(*this, controlId); id != 0) {
            return id;
        }
    }
    return 0;
}

}  // namespace platform
