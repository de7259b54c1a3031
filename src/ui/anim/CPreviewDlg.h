#pragma once
// The editor's Preview window: the picture being edited at its own size,
// unscaled and centred, in a small modeless tool window. The editor
// creates, shows, hides, refreshes and destroys it. Its own handlers are
// the logo view's context menu and Ctrl+B, served by whoever set the
// commands (the main dialog).

#include "logo/Picture.h"
#include "platform/ui/CDialog.h"
#include "ui/anim/LogoViewCommands.h"

class CPreviewDlg : public platform::CDialog {
public:
    CPreviewDlg();

    // Hands the picture to the picture control (the control keeps the
    // pointer; handing the same picture again shows its current table).
    void ShowPicture(const logo::Picture* picture);
    // Invalidates the whole window, picture control included.
    void Redraw();
    // Who serves the context menu; nullptr: the menu offers nothing.
    void SetViewCommands(LogoViewCommands* commands) { m_commands = commands; }

protected:
    BOOL OnInitDialog() override;
    const platform::MessageMapBase* GetMessageMap() const override;

private:
    void OnContextMenu(platform::CWnd* window, platform::CPoint point);
    void OnBootScreen();
    void OnExportAnimation();
    bool ShowsLogo() const;

    LogoViewCommands* m_commands = nullptr;
};
