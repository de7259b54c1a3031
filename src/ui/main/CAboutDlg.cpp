#include "ui/main/CAboutDlg.h"

#include "resources/DialogTemplates.h"

CAboutDlg::CAboutDlg(platform::CWnd* parent) : platform::CDialog(res::AboutDialogTemplate(), parent) {}
