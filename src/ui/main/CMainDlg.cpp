#include "ui/main/CMainDlg.h"

#include "applet/SettingsStore.h"
#include "editor/CEditorPathDlg.h"
#include "editor/NewLogo.h"
#include "logo/LogoFile.h"
#include "platform/ui/PictureFiles.h"
#include "platform/ui/ResourceLoading.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/WinHelp.h"
#include "platform/ui/DropTarget.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/Ddx.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"
#include "resources/Tooltips.h"
#include "slots/ApplyFailureMessage.h"
#include "slots/ApplyLogos.h"
#include "slots/BootOptionsFile.h"
#include "slots/BootVerdict.h"
#include "slots/SaveLogo.h"
#include "slots/SlotFiles.h"
#include "ui/anim/AnimateLogo.h"
#include "ui/anim/LogoViewMenu.h"
#include "ui/main/CAboutDlg.h"
#include "ui/main/ExportAnimation.h"
#include "ui/main/ChosenPicture.h"
#include "ui/main/LogoFileRequests.h"
#include "ui/main/PreviewPictures.h"

namespace {

constexpr int kSlotButtons[kLogoSlotCount] = {res::IDC_STARTUP, res::IDC_PRESHUTDOWN, res::IDC_SHUTDOWN};

}  // namespace

CMainDlg::CMainDlg(platform::CWnd* parent) : platform::CDialog(res::MainDialogTemplate(), parent) {}

CMainDlg::~CMainDlg() = default;

const platform::MessageMapBase* CMainDlg::GetMessageMap() const
{
    static constexpr auto map = platform::MakeMessageMap<CMainDlg>(
        platform::OnBnClicked(res::IDC_STARTUP, &CMainDlg::OnStartUp),
        platform::OnBnClicked(res::IDC_PRESHUTDOWN, &CMainDlg::OnPreShutDown),
        platform::OnBnClicked(res::IDC_SHUTDOWN, &CMainDlg::OnShutDown),
        platform::OnBnClicked(res::IDC_BROWSE, &CMainDlg::OnBrowse),
        platform::OnBnClicked(res::IDC_APPLY, &CMainDlg::OnApply),
        platform::OnBnClicked(res::IDC_DEFAULT_LOGO, &CMainDlg::OnDefaultLogo),
        platform::OnBnClicked(res::IDC_SAVE_LOGO, &CMainDlg::OnSaveLogoToFile),
        platform::OnBnClicked(res::IDC_ANIMATE_LOGO, &CMainDlg::OnAnimateLogo),
        platform::OnBnClicked(res::IDC_HELP, &CMainDlg::OnHelp),
        platform::OnBnClicked(res::IDC_ABOUT, &CMainDlg::OnAbout),
        platform::OnBnClicked(res::IDC_SET_LOGO_EDITOR, &CMainDlg::OnSetLogoEditor),
        platform::OnBnClicked(res::IDC_NEW_LOGO, &CMainDlg::OnNewLogo),
        platform::OnWmTimer(&CMainDlg::OnTimer),
        platform::OnWmContextMenu(&CMainDlg::OnContextMenu),
        platform::OnMenuCommand(res::IDM_BOOT_SCREEN, &CMainDlg::OnBootScreen),
        platform::OnMenuCommand(res::IDM_EXPORT_ANIMATION, &CMainDlg::OnExportAnimation),
        platform::OnToolTipNeedText(&CMainDlg::OnToolTipNeedText));
    return &map;
}

void CMainDlg::DoDataExchange(platform::CDataExchange* dx)
{
    platform::CDialog::DoDataExchange(dx);
    platform::DDX_Control(dx, res::IDC_ANIMATE_LOGO, m_animateButton);
    platform::DDX_Control(dx, res::IDC_BROWSE, m_browseButton);
    platform::DDX_Control(dx, res::IDC_SAVE_LOGO, m_saveButton);
    platform::DDX_Control(dx, res::IDC_DEFAULT_LOGO, m_defaultButton);
    platform::DDX_Control(dx, res::IDC_PREVIEW, m_preview);
    platform::DDX_Control(dx, res::IDC_STARTUP, m_startupButton);
    platform::DDX_Control(dx, IDCANCEL, m_closeButton);
    platform::DDX_Control(dx, res::IDC_APPLY, m_applyButton);
    platform::DDX_Radio(dx, res::IDC_STARTUP, m_slotIndex);
}

BOOL CMainDlg::OnInitDialog()
{
    platform::CDialog::OnInitDialog();
    EnableToolTips(TRUE);
    SetIcon(res::IDI_APPLET, FALSE);
    InstallLogoViewShortcuts(*this);
    m_animDlg.m_preview.SetViewCommands(&m_editorViewCommands);
    // Choices not applied in an earlier run are gone.
    for (std::string& pending : m_pendingSources)
        pending.clear();
    m_locations = DetermineLocations();
    m_editorPath = SettingsStore().ReadLogoEditorPath(DefaultLogoEditor(m_locations));
    SelectStartUpSlot();
    m_preview.GetClientRect(&m_previewArea);
    ShowStartUpAtOpening();
    // A file dropped from a file manager is taken as a file Browse chose.
    platform::AcceptFileDrops(*this, [this](const std::string& path) { TakeChosenFile(path); });
    // The framework then focuses the first enabled tab stop; in the slot
    // group that is the checked StartUp button.
    return TRUE;
}

void CMainDlg::OnTimer(UINT_PTR id)
{
    if (id == PreviewAnimation::kTimerId)
        m_previewAnimation.Tick();
    platform::CDialog::OnTimer(id);
}

void CMainDlg::OnDestroy()
{
    // The timer ends with the window; the engine must not go on believing
    // it runs, nor keep pointing at a picture that is about to go.
    StopPreviewAnimation();
    ReleasePreviewPicture();
    platform::CDialog::OnDestroy();
}

// --- Opening ---------------------------------------------------------------

void CMainDlg::SelectStartUpSlot()
{
    // Whatever slot the last run ended on, StartUp alone is down now:
    // Browse and Default Logo read the slot from these buttons.
    for (LogoSlot slot : kAllLogoSlots)
        CheckDlgButton(kSlotButtons[::SlotIndex(slot)], slot == LogoSlot::StartUp ? BST_CHECKED : BST_UNCHECKED);
    m_slotIndex = static_cast<int>(::SlotIndex(LogoSlot::StartUp));
}

void CMainDlg::ShowStartUpAtOpening()
{
    const std::string startUpFile = SystemFile(LogoSlot::StartUp, m_locations);
    ReleasePreviewPicture();
    if (auto picture = LoadPreviewPicture(startUpFile, m_previewArea.right - m_previewArea.left,
                                          m_previewArea.bottom - m_previewArea.top)) {
        ShowPicture(std::move(picture));
        m_animatedColorCount = ReadFileAnimationCount(startUpFile);
        StartPreviewAnimation();
        return;
    }
    ShowPlaceholder();
    // Only a start-up file that is really absent means "the built-in
    // screen". One that is there but cannot be shown stays untouched: taking
    // it for "Default" would delete it at the next Apply.
    if (!FileExists(startUpFile)) {
        PendingFor(m_pendingSources, LogoSlot::StartUp) = std::string(kDefaultMarker);
        m_defaultButton.EnableWindow(FALSE);
    }
}

// --- Slots and the preview ----------------------------------------------------

void CMainDlg::OnStartUp()
{
    ShowSlot(LogoSlot::StartUp);
}

void CMainDlg::OnPreShutDown()
{
    ShowSlot(LogoSlot::PreShutDown);
}

void CMainDlg::OnShutDown()
{
    ShowSlot(LogoSlot::ShutDown);
}

void CMainDlg::ShowSlot(LogoSlot slot)
{
    std::string& pending = PendingFor(m_pendingSources, slot);
    const bool startUpDefault = slot == LogoSlot::StartUp && IsDefaultMarker(pending);

    StopPreviewAnimation();
    m_browseButton.EnableWindow(TRUE);
    m_defaultButton.EnableWindow(startUpDefault ? FALSE : TRUE);
    ReleasePreviewPicture();

    if (slot == LogoSlot::PreShutDown && SettingsStore().ReadPreShutDownRefused() == 1) {
        ShowPlaceholder();
        m_browseButton.EnableWindow(FALSE);
        m_defaultButton.EnableWindow(FALSE);
        return;
    }
    if (startUpDefault) {
        ShowPlaceholder();
        return;
    }

    const std::string file = EffectiveFile(slot, pending, m_locations);
    auto picture = LoadPreviewPicture(file, m_previewArea.right - m_previewArea.left,
                                      m_previewArea.bottom - m_previewArea.top);
    if (slot == LogoSlot::StartUp)
        m_animatedColorCount = ReadFileAnimationCount(file);
    if (picture) {
        ShowPicture(std::move(picture));
        if (slot == LogoSlot::StartUp)
            StartPreviewAnimation();
        return;
    }

    pending.clear();
    ShowPlaceholder();
    ReportDisplayFailure(slot);
}

void CMainDlg::ReportDisplayFailure(LogoSlot slot)
{
    if (slot != LogoSlot::PreShutDown) {
        ShowMessage(res::IDS_CANNOT_DISPLAY, res::IDS_CAPTION_ERROR, MB_OK | MB_ICONHAND);
        return;
    }
    ShowMessage(res::IDS_CANNOT_DISPLAY_PRESHUTDOWN, res::IDS_CAPTION_ERROR, MB_OK | MB_ICONEXCLAMATION);
    const int answer = platform::MessageBoxA(GetSafeHwnd(), platform::LoadStringA(res::IDS_PRESHUTDOWN_QUESTION),
                                             platform::LoadStringA(res::IDS_PRESHUTDOWN_CAPTION),
                                             MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES) {
        SettingsStore().WritePreShutDownRefused(1);
        m_browseButton.EnableWindow(FALSE);
        m_defaultButton.EnableWindow(FALSE);
    }
}

void CMainDlg::ShowPicture(std::unique_ptr<logo::Picture> picture)
{
    ReleasePreviewPicture();
    m_previewPicture = std::move(picture);
    m_preview.SetBitmap(m_previewPicture.get());
    m_saveButton.EnableWindow(TRUE);
    m_animateButton.EnableWindow(TRUE);
}

void CMainDlg::ShowPlaceholder()
{
    ReleasePreviewPicture();
    m_previewPicture = LoadPlaceholderPicture();
    m_preview.SetBitmap(m_previewPicture.get());
    m_saveButton.EnableWindow(FALSE);
    m_animateButton.EnableWindow(FALSE);
}

void CMainDlg::ReleasePreviewPicture()
{
    if (!m_previewPicture)
        return;
    m_preview.SetBitmap(nullptr);
    m_previewAnimation.ReleasePicture();
    m_previewPicture.reset();
}

void CMainDlg::StartPreviewAnimation()
{
    if (m_previewPicture)
        m_previewAnimation.Start(*m_previewPicture, m_animatedColorCount);
}

void CMainDlg::StopPreviewAnimation()
{
    m_previewAnimation.Stop();
}

void CMainDlg::SetChoicesWaiting(bool waiting)
{
    m_applyButton.EnableWindow(waiting ? TRUE : FALSE);
    m_closeButton.SetWindowText(platform::LoadStringA(waiting ? res::IDS_MAIN_CANCEL_CAPTION : res::IDS_MAIN_CLOSE_CAPTION));
}

std::optional<LogoSlot> CMainDlg::SelectedSlot()
{
    UpdateData(TRUE);
    return SlotFromIndex(m_slotIndex);
}

// --- File commands -------------------------------------------------------------

void CMainDlg::OnBrowse()
{
    const platform::FileDialogAnswer answer =
        platform::CurrentPrompts().FileDialog(BrowseLogoRequest(GetSafeHwnd(), SettingsStore().ReadLastLogoPath()));
    if (!answer.ok || answer.path.empty())
        return;
    TakeChosenFile(answer.path);
}

void CMainDlg::TakeChosenFile(const std::string& path)
{
    const std::optional<std::string> hostPath = platform::HostPathOf(path);
    if (platform::IsLogoPictureFile(path)) {
        AcceptLogo(path, path);
        return;
    }
    const PictureOutcome outcome = hostPath ? ConvertChosenPicture(*this, *hostPath) : PictureOutcome{};
    if (outcome.choice == PictureChoice::Converted)
        AcceptLogo(outcome.logoPath, path);
    else if (outcome.choice == PictureChoice::NotAPicture)
        ShowMessage(res::IDS_NOT_A_LOGO, res::IDS_CAPTION_ERROR, MB_OK | MB_ICONEXCLAMATION);
}

void CMainDlg::AcceptLogo(const std::string& logoPath, const std::string& chosenPath)
{
    SetChoicesWaiting(true);
    SettingsStore().WriteLastLogoPath(chosenPath);
    if (const std::optional<LogoSlot> slot = SelectedSlot()) {
        PendingFor(m_pendingSources, *slot) = logoPath;
        ShowSlot(*slot);
    }
}

void CMainDlg::OnApply()
{
    const ApplyOutcome outcome = ApplyPendingSources(m_pendingSources, m_locations);
    // Slots that failed keep their choice, so the pair stays "waiting".
    const bool failed = !outcome.failedTargets.empty();
    SetChoicesWaiting(failed);
    if (failed) {
        platform::MessageBoxA(GetSafeHwnd(),
                              ApplyFailureMessage(platform::LoadStringA(res::IDS_LOGO_FILES_NOT_CHANGED), outcome),
                              platform::LoadStringA(res::IDS_CAPTION_ERROR),
                              MB_OK | MB_ICONHAND);
    }
}

void CMainDlg::OnDefaultLogo()
{
    SetChoicesWaiting(true);
    if (const std::optional<LogoSlot> slot = SelectedSlot()) {
        PendingFor(m_pendingSources, *slot) = DefaultSource(*slot, m_locations);
        ShowSlot(*slot);
    }
}

void CMainDlg::OnSaveLogoToFile()
{
    const platform::FileDialogAnswer answer = platform::CurrentPrompts().FileDialog(SaveLogoRequest(GetSafeHwnd()));
    if (!answer.ok || answer.path.empty())
        return;
    std::string source;
    if (const std::optional<LogoSlot> slot = SelectedSlot()) {
        const std::string& pending = PendingFor(m_pendingSources, *slot);
        // The marker names no file; the button is off while it is pending.
        if (!IsDefaultMarker(pending))
            source = EffectiveFile(*slot, pending, m_locations);
    }
    if (source.empty() || !SaveLogoToFile(source, answer.path))
        ShowMessage(res::IDS_FILE_NOT_SAVED, res::IDS_CAPTION_ERROR, MB_OK | MB_ICONHAND);
}

// --- Help --------------------------------------------------------------------

void CMainDlg::OnAnimateLogo()
{
    StopPreviewAnimation();
    const std::optional<LogoSlot> slot = SelectedSlot();
    std::string path;
    if (slot && !IsDefaultMarker(PendingFor(m_pendingSources, *slot)))
        path = EffectiveFile(*slot, PendingFor(m_pendingSources, *slot), m_locations);
    // Loads, checks, minimises this dialog, runs the editor and restores it;
    // a file that can no longer be used is reported instead.
    RunAnimationEditor(*this, m_animDlg, path, m_animatedColorCount);
    if (slot == LogoSlot::StartUp)
        StartPreviewAnimation();
}

void CMainDlg::OnHelp()
{
    // The viewer itself reports a missing help file.
    platform::WinHelpA(nullptr, HelpFile(m_locations), HELP_FORCEFILE, 0);
}

// --- The preview's context menu -------------------------------------------------

void CMainDlg::OnContextMenu(platform::CWnd* window, platform::CPoint point)
{
    if (window == nullptr || window->GetSafeHwnd() != m_preview.GetSafeHwnd())
        return;
    TrackLogoViewMenu(*this, point, ShownLogo().has_value());
}

std::optional<LoadedLogo> CMainDlg::ShownLogo()
{
    const std::optional<LogoSlot> slot = SelectedSlot();
    if (!slot || m_previewPicture == nullptr || IsDefaultMarker(PendingFor(m_pendingSources, *slot)))
        return std::nullopt;
    if (*slot == LogoSlot::PreShutDown && SettingsStore().ReadPreShutDownRefused() == 1)
        return std::nullopt;
    // Only the start-up logo cycles while Windows runs.
    return LoadLogoForView(EffectiveFile(*slot, PendingFor(m_pendingSources, *slot), m_locations),
                           *slot == LogoSlot::StartUp);
}

void CMainDlg::OnBootScreen()
{
    const std::optional<LoadedLogo> shown = ShownLogo();
    if (!shown)
        return;
    // Only the start-up logo depends on the boot options.
    BootSentence boot;
    if (SelectedSlot() == LogoSlot::StartUp)
        boot = DescribeBoot(ReadBootOptionsFile(m_locations), SystemFile(LogoSlot::StartUp, m_locations));
    ShowBootScreen(*this, *shown, boot);
}

void CMainDlg::OnExportAnimation()
{
    if (const std::optional<LoadedLogo> shown = ShownLogo())
        ExportAnimation(*this, shown->picture, shown->table, shown->count);
}

// --- About -----------------------------------------------------------------

void CMainDlg::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}

// --- Logo editor integration -------------------------------------------------

void CMainDlg::OnSetLogoEditor()
{
    CEditorPathDlg editorPathDlg;
    editorPathDlg.m_path = m_editorPath;
    if (editorPathDlg.DoModal() == IDOK) {
        // The dialog has just stored the choice: the store is the authority.
        m_editorPath = SettingsStore().ReadLogoEditorPath(DefaultLogoEditor(m_locations));
    }
}

void CMainDlg::OnNewLogo()
{
    StartNewLogo(GetSafeHwnd(), m_locations, m_editorPath);
}

// --- Tooltips ----------------------------------------------------------------

UINT CMainDlg::OnToolTipNeedText(int controlId)
{
    return res::TooltipStringFor(res::MainDialogTooltips(), controlId).value_or(0);
}

// --- Messages -------------------------------------------------------------------

void CMainDlg::ShowMessage(UINT textId, UINT captionId, UINT type)
{
    platform::MessageBoxA(GetSafeHwnd(), platform::LoadStringA(textId), platform::LoadStringA(captionId), type);
}
