#include "editor/CEditorPathDlg.h"

#include "applet/SettingsStore.h"
#include "editor/EditorFileFilter.h"
#include "editor/ShortcutTarget.h"
#include "platform/ui/ResourceLoading.h"
#include "platform/files/FileApi.h"
#include "platform/launch/WinExec.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/Ddx.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

CEditorPathDlg::CEditorPathDlg(platform::CWnd* parent) : platform::CDialog(res::EditorPathDialogTemplate(), parent) {}

CEditorPathDlg::~CEditorPathDlg() = default;

const platform::MessageMapBase* CEditorPathDlg::GetMessageMap() const
{
    static constexpr auto map =
        platform::MakeMessageMap<CEditorPathDlg>(platform::OnBnClicked(res::IDC_EDPATH_BROWSE, &CEditorPathDlg::OnBrowse));
    return &map;
}

void CEditorPathDlg::DoDataExchange(platform::CDataExchange* dx)
{
    platform::CDialog::DoDataExchange(dx);
    platform::DDX_Control(dx, res::IDC_EDPATH_COMBO, m_pathCombo);
    // Reading takes the edit text as it stands; writing selects the first
    // entry that begins with the path, or else shows the path as typed.
    platform::DDX_CBString(dx, res::IDC_EDPATH_COMBO, m_path);
}

BOOL CEditorPathDlg::OnInitDialog()
{
    // The list is still empty here, so the path becomes the edit text.
    platform::CDialog::OnInitDialog();
    // Both entries go in as they stand, an empty or repeated one included.
    m_pathCombo.AddString(m_path);
    m_pathCombo.AddString(SettingsStore().ReadPreviousLogoEditorPath());
    UpdateData(FALSE);
    return TRUE;
}

void CEditorPathDlg::OnBrowse()
{
    platform::FileDialogRequest request;
    request.mode = platform::FileDialogMode::Open;
    request.owner = GetSafeHwnd();
    request.title = platform::LoadStringA(res::IDS_EDPATH_BROWSE_TITLE);
    const std::string programs = platform::LoadStringA(res::IDS_EDPATH_BROWSE_FILTER);
    request.filter = platform::kProgramsEndInExe
                         ? programs
                         : EditorFileFilter(programs, platform::LoadStringA(res::IDS_EDPATH_ALL_FILES));
    request.defaultExtension = "*.exe";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    const platform::FileDialogAnswer answer = platform::CurrentPrompts().FileDialog(request);
    if (!answer.ok)
        return;
    // The file dialog hands back a chosen shortcut itself; the editor is the
    // program behind it.
    m_path = ProgramBehindShortcut(answer.path);
    UpdateData(FALSE);
}

void CEditorPathDlg::OnOK()
{
    UpdateData(TRUE);
    if (m_path.empty()) {
        ShowError(res::IDS_EDPATH_EMPTY);
        return;
    }
    if (platform::GetFileAttributesA(m_path) == INVALID_FILE_ATTRIBUTES) {
        ShowError(res::IDS_EDPATH_MISSING);
        return;
    }
    // "prvpath" takes what "path" held until now (nothing stored: empty),
    // then "path" takes the new choice. Write results are not checked: a
    // setting that failed to stick has its default next time.
    SettingsStore store;
    const std::string previous = store.ReadLogoEditorPath(std::string());
    store.WritePreviousLogoEditorPath(previous);
    store.WriteLogoEditorPath(m_path);
    platform::CDialog::OnOK();
}

void CEditorPathDlg::ShowError(UINT messageId)
{
    platform::MessageBoxA(GetSafeHwnd(), platform::LoadStringA(messageId), platform::LoadStringA(res::IDS_CAPTION_ERROR),
                          MB_OK | MB_ICONHAND);
}
