#pragma once
// The main dialog: the preview of the selected slot on the left, the column
// of commands on the right. The Control Panel's double-click runs the one
// static object modally; every opening rebuilds what the user sees, so only
// the settings store carries anything from one run to the next.

#include "logo/Picture.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CStatic.h"
#include "slots/LogoSlot.h"
#include "slots/PendingSources.h"
#include "slots/SystemLocations.h"
#include "ui/anim/CAnimDlg.h"
#include "ui/main/LogoViews.h"
#include "ui/main/PreviewAnimation.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class CMainDlg : public platform::CDialog {
public:
    explicit CMainDlg(platform::CWnd* parent = nullptr);
    ~CMainDlg() override;

    // What the dialog holds now.
    const PendingSources& Pending() const { return m_pendingSources; }
    CAnimDlg& AnimDlg() { return m_animDlg; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(platform::CDataExchange* dx) override;
    const platform::MessageMapBase* GetMessageMap() const override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    // --- Opening ---------------------------------------------------------
    // The slot column and the preview as every opening starts them.
    void SelectStartUpSlot();
    void ShowStartUpAtOpening();

    // --- Slots and the preview ----------------------------------------------
    void OnStartUp();
    void OnPreShutDown();
    void OnShutDown();
    void ShowSlot(LogoSlot slot);
    void ReportDisplayFailure(LogoSlot slot);
    // Takes a loaded picture into the preview; Save and Animate come on.
    void ShowPicture(std::unique_ptr<logo::Picture> picture);
    // "Preview Unavailable"; Save and Animate go off.
    void ShowPlaceholder();
    void ReleasePreviewPicture();
    // The StartUp preview's palette cycling on the shared CAnimDlg state:
    // starts (from phase 0, with the preview picture's own table) only for a
    // non-zero animated-colour count; stops only when it runs.
    void StartPreviewAnimation();
    void StopPreviewAnimation();
    // Apply enabled with "&Cancel" while choices wait, disabled with "&Close".
    void SetChoicesWaiting(bool waiting);
    // The slot whose button is down, read from the radio group.
    std::optional<LogoSlot> SelectedSlot();

    // --- File commands ---------------------------------------------------------
    void OnBrowse();
    // A file chosen by Browse or dropped: a logo is taken, any other picture
    // goes through Convert Picture, the rest is refused.
    void TakeChosenFile(const std::string& path);
    // Makes logoPath the selected slot's pending source; "LastLogo" keeps chosenPath.
    void AcceptLogo(const std::string& logoPath, const std::string& chosenPath);
    void OnApply();
    void OnDefaultLogo();
    void OnSaveLogoToFile();

    // --- Animation Options and Help --------------------------------------------
    void OnAnimateLogo();
    void OnHelp();

    // --- About ----------------------------------------------------------------
    void OnAbout();

    // --- Logo editor integration ------------------------------------------
    void OnSetLogoEditor();
    void OnNewLogo();

    // --- The preview's context menu: Boot Screen, Export Animation -----------
    void OnContextMenu(platform::CWnd* window, platform::CPoint point);
    void OnBootScreen();
    void OnExportAnimation();
    // The selected slot's file at full size; nullopt when it shows none.
    std::optional<LoadedLogo> ShownLogo();

    // --- Tooltips ---------------------------------------------------------------
    UINT OnToolTipNeedText(int controlId);

    // --- Messages ---------------------------------------------------------------
    // A message box over this dialog with texts from the string table.
    void ShowMessage(UINT textId, UINT captionId, UINT type);

    // Control bindings, attached while the window exists.
    platform::CButton m_animateButton;
    platform::CButton m_browseButton;
    platform::CButton m_saveButton;
    platform::CButton m_defaultButton;
    platform::CStatic m_preview;
    platform::CButton m_startupButton;
    platform::CButton m_closeButton;
    platform::CButton m_applyButton;

    int m_slotIndex = -1;                     // LogoSlot, exchanged with the radio group
    SystemLocations m_locations;
    PendingSources m_pendingSources;
    CAnimDlg m_animDlg;                       // the editor and the preview's animation engine
    std::string m_editorPath;                 // the external logo editor
    RECT m_previewArea{};                     // the preview's client rectangle
    std::unique_ptr<logo::Picture> m_previewPicture;  // what the preview shows
    std::uint8_t m_animatedColorCount = 0;    // of the shown start-up file
    PreviewAnimation m_previewAnimation{*this, m_animDlg.State(), m_preview};
    EditorViewCommands m_editorViewCommands{m_animDlg};  // the editor's Preview window's menu
};
