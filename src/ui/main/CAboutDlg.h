#pragma once
// The About box: a plain dialog on its template. Its Close button is the
// cancel button, so the framework's cancel path ends it.

#include "platform/ui/CDialog.h"

class CAboutDlg : public platform::CDialog {
public:
    explicit CAboutDlg(platform::CWnd* parent = nullptr);
};
