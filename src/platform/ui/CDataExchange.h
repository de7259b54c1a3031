#pragma once
// The state of one UpdateData pass: its direction and whether a field
// failed. After a failure the remaining exchange functions do nothing and
// the focus rests on the control that failed.

#include "platform/WinTypes.h"

namespace platform {

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls -> members
    CWnd* m_pDlgWnd;

    // The control an exchange function works on (remembered for Fail);
    // nullptr when the dialog has no such control.
    CWnd* PrepareCtrl(int id);
    // Marks the pass failed; the prepared control gets the focus, an edit
    // with its whole text selected.
    void Fail();
    bool Failed() const { return m_failed; }

private:
    CWnd* m_lastControl = nullptr;
    bool m_failed = false;
};

}  // namespace platform
