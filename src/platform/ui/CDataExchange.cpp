#include "platform/ui/CDataExchange.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CWnd.h"

namespace platform {

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog)
{
}

CWnd* CDataExchange::PrepareCtrl(int id)
{
    m_lastControl = m_pDlgWnd != nullptr ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    return m_lastControl;
}

void CDataExchange::Fail()
{
    m_failed = true;
    if (m_lastControl == nullptr) {
        return;
    }
    m_lastControl->SetFocus();
    if (auto* edit = dynamic_cast<CEdit*>(m_lastControl)) {
        edit->SetSel(0, -1);
    }
}

}  // namespace platform
