#pragma once
// The Set Logo Editor dialog: the user types or browses to the external
// bitmap editor; a valid OK stores it, keeping the one before as "prvpath".

#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"

#include <string>

class CEditorPathDlg : public platform::CDialog {
public:
    explicit CEditorPathDlg(platform::CWnd* parent = nullptr);
    ~CEditorPathDlg() override;

    // Set by the caller before the run; bound to the combo box's text.
    std::string m_path;

protected:
    const platform::MessageMapBase* GetMessageMap() const override;
    void DoDataExchange(platform::CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void OnBrowse();
    void ShowError(UINT messageId);

    platform::CComboBox m_pathCombo;
};
