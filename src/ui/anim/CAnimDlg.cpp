#include "ui/anim/CAnimDlg.h"

#include "applet/SettingsStore.h"
#include "logo/Animation.h"
#include "logo/LogoFile.h"
#include "platform/ui/PictureFiles.h"
#include "platform/ui/ResourceLoading.h"
#include "platform/ui/Cursors.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/Accelerators.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CRect.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/FullScreen.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"
#include "resources/Tooltips.h"
#include "ui/anim/FieldValue.h"
#include "ui/anim/SwatchGrid.h"
#include "ui/anim/WindowPlacement.h"

#include <array>
#include <utility>

namespace {

constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kAnimationPeriodMs = 250;

// The controls an animation must not interfere with: the count, and every
// tool that changes the table or starts a mouse tool.
constexpr std::array kEditingControls = {
    res::IDC_ANIM_COUNT,  res::IDC_ANIM_PICK,         res::IDC_ANIM_PLACE,   res::IDC_ANIM_REMOVE_UNUSED,
    res::IDC_ANIM_COLOR_CHECK, res::IDC_ANIM_ANIMATED_BAR, res::IDC_ANIM_REVERSE,
};

constexpr std::array kEditorKeys = {
    platform::ACCEL{platform::FVIRTKEY | platform::FCONTROL, 'Z', static_cast<WORD>(res::IDM_ANIM_UNDO)},
    platform::ACCEL{platform::FVIRTKEY | platform::FCONTROL, 'Y', static_cast<WORD>(res::IDM_ANIM_REDO)},
    platform::ACCEL{platform::FVIRTKEY | platform::FCONTROL | platform::FSHIFT, 'Z', static_cast<WORD>(res::IDM_ANIM_REDO)},
};

struct ButtonFace {
    int control;
    int bitmap;
};
constexpr std::array kButtonFaces = {
    ButtonFace{res::IDC_ANIM_PICK, res::IDB_ANIM_PICK},
    ButtonFace{res::IDC_ANIM_COLOR_DIALOG, res::IDB_ANIM_COLOR_DIALOG},
    ButtonFace{res::IDC_ANIM_PLACE, res::IDB_ANIM_PLACE},
    ButtonFace{res::IDC_ANIM_REMOVE_UNUSED, res::IDB_ANIM_REMOVE_UNUSED},
    ButtonFace{res::IDC_ANIM_SHOW_PREVIEW, res::IDB_ANIM_SHOW_PREVIEW},
    ButtonFace{res::IDC_ANIM_COLOR_CHECK, res::IDB_ANIM_COLOR_CHECK},
    ButtonFace{res::IDC_ANIM_ANIMATE, res::IDB_ANIM_ANIMATE},
    ButtonFace{res::IDC_ANIM_REVERSE, res::IDB_ANIM_REVERSE},
    ButtonFace{res::IDC_ANIM_ANIMATED_BAR, res::IDB_ANIM_ANIMATED_BAR},
};

// Field reads inside a user's command always report a bad field, once.
class CommandReads {
public:
    CommandReads(FieldReadSource& source, FieldMessageGate& gate) : m_source(source), m_before(source), m_gate(gate)
    {
        m_source = FieldReadSource::Command;
        m_gate.BeginCommand();
    }
    ~CommandReads()
    {
        m_gate.EndCommand();
        m_source = m_before;
    }
    CommandReads(const CommandReads&) = delete;
    CommandReads& operator=(const CommandReads&) = delete;

private:
    FieldReadSource& m_source;
    FieldReadSource m_before;
    FieldMessageGate& m_gate;
};

std::string ApplicationName()
{
    const platform::CWinApp* app = platform::AfxGetApp();
    return app != nullptr && app->m_pszAppName != nullptr ? app->m_pszAppName : std::string();
}

}  // namespace

CAnimDlg::CAnimDlg(platform::CWnd* parent) : platform::CDialog(res::AnimDialogTemplate(), parent), m_tools(*this) {}

CAnimDlg::~CAnimDlg() = default;

const platform::MessageMapBase* CAnimDlg::GetMessageMap() const
{
    static constexpr auto map = platform::MakeMessageMap<CAnimDlg>(
        platform::OnWmPaint(&CAnimDlg::OnPaintEditor),
        platform::OnEnChange(res::IDC_ANIM_RED, &CAnimDlg::OnColorFieldChange),
        platform::OnEnChange(res::IDC_ANIM_GREEN, &CAnimDlg::OnColorFieldChange),
        platform::OnEnChange(res::IDC_ANIM_BLUE, &CAnimDlg::OnColorFieldChange),
        platform::OnEnKillFocus(res::IDC_ANIM_COUNT, &CAnimDlg::OnCountKillFocus),
        platform::OnBnClicked(res::IDC_ANIM_COLOR_DIALOG, &CAnimDlg::OnColorDialog),
        platform::OnBnClicked(res::IDC_ANIM_PICK, &CAnimDlg::OnPickTool),
        platform::OnBnClicked(res::IDC_ANIM_PLACE, &CAnimDlg::OnPlaceTool),
        platform::OnBnClicked(res::IDC_ANIM_REMOVE_UNUSED, &CAnimDlg::OnRemoveUnused),
        platform::OnBnClicked(res::IDC_ANIM_SHOW_PREVIEW, &CAnimDlg::OnShowHidePreview),
        platform::OnBnClicked(res::IDC_ANIM_COLOR_CHECK, &CAnimDlg::OnColorCheck),
        platform::OnBnClicked(res::IDC_ANIM_SAVE_AS, &CAnimDlg::OnSaveAs),
        platform::OnBnClicked(res::IDC_ANIM_ANIMATE, &CAnimDlg::OnAnimate),
        platform::OnBnClicked(res::IDC_ANIM_ANIMATED_BAR, &CAnimDlg::OnAnimatedBar),
        platform::OnBnClicked(res::IDC_ANIM_REVERSE, &CAnimDlg::OnReverse),
        platform::OnMenuCommand(res::IDM_ANIM_UNDO, &CAnimDlg::OnUndo),
        platform::OnMenuCommand(res::IDM_ANIM_REDO, &CAnimDlg::OnRedo),
        platform::OnWmTimer(&CAnimDlg::OnTimerTick),
        platform::OnWmMouseMove(&CAnimDlg::OnMouseMoveTool),
        platform::OnWmLButtonDown(&CAnimDlg::OnLButtonDownTool),
        platform::OnWmRButtonDown(&CAnimDlg::OnRButtonDownTool),
        platform::OnWmSetCursor(&CAnimDlg::OnSetCursorTool),
        platform::OnWmActivate(&CAnimDlg::OnActivateEditor),
        platform::OnToolTipNeedText(&CAnimDlg::OnToolTipNeedText));
    return &map;
}

// --- Opening -----------------------------------------------------------------

BOOL CAnimDlg::OnInitDialog()
{
    platform::CDialog::OnInitDialog();
    m_fieldGate.Reset();
    m_tools.Reset();
    m_readSource = FieldReadSource::Passive;

    // The preview belongs to the editor's owner, the main dialog, and shows
    // the caller's picture itself, not a copy.
    m_preview.Create(GetOwner());
    m_preview.ShowPicture(m_picture);
    OnShowHidePreview();

    EnableToolTips(TRUE);
    SetButtonFaces();
    RestorePositions();

    logo::LoadColorTable(*this);
    m_red = 0;
    m_green = 0;
    m_blue = 0;
    if (m_animCount == 0) {
        m_animCount = 2;
        m_highlight = -1;
    } else {
        m_highlight = 256 - m_animCount;
    }
    ShowFields();
    m_modified = false;
    m_animating = false;
    m_phase = 0;
    m_history.Reset(*this);
    platform::SetAccelerators(*this, kEditorKeys);
    return TRUE;
}

void CAnimDlg::SetButtonFaces()
{
    for (const ButtonFace& face : kButtonFaces) {
        auto* button = GetDlgItemAs<platform::CButton>(face.control);
        if (const std::optional<logo::Picture> bitmap = platform::LoadBitmapA(face.bitmap); button && bitmap)
            button->SetBitmap(*bitmap);
    }
}

void CAnimDlg::RestorePositions()
{
    const SettingsStore store;
    const auto restore = [](platform::CWnd& window, POINT stored, UINT flags) {
        POINT place = stored;
        RECT area{};
        if (platform::GetWorkAreaAt(stored, &area)) {
            const FrameSize frame = FrameSizeOf(window);
            place = ClampWindowPosition(stored, frame.width, frame.height, area);
        }
        window.SetWindowPos(nullptr, place.x, place.y, 0, 0, flags);
    };
    platform::CRect editor;
    GetWindowRect(&editor);
    restore(*this, store.ReadAnimDlgPosition(editor.TopLeft()), SWP_NOSIZE | SWP_NOZORDER);
    if (m_preview.IsWindow()) {
        platform::CRect preview;
        m_preview.GetWindowRect(&preview);
        // The preview keeps the focus where it is: with the editor.
        restore(m_preview, store.ReadPreviewPosition(preview.TopLeft()), SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// --- Closing -----------------------------------------------------------------

void CAnimDlg::OnOK()
{
    OnSaveAs();
}

void CAnimDlg::OnCancel()
{
    if (m_modified
        && Message(res::IDS_ANIM_UNSAVED_QUESTION, res::IDS_ANIM_UNSAVED_CAPTION,
                   MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2)
            != IDYES) {
        return;
    }
    EndDialog(IDCANCEL);
}

void CAnimDlg::OnDestroy()
{
    platform::CDialog::OnDestroy();
    // No tool outlives the editor: confinement, capture and its cursor go.
    m_tools.EndAll();
    // The timer dies with the window; the table stays as the last tick left it.
    m_animating = false;
    StorePositions();
    m_preview.DestroyWindow();
}

void CAnimDlg::StorePositions()
{
    SettingsStore store;
    platform::CRect editor;
    GetWindowRect(&editor);
    store.WriteAnimDlgPosition(editor.TopLeft());
    // A hidden preview keeps the position of the run that last showed it.
    if (m_preview.IsWindow() && m_preview.IsWindowVisible()) {
        platform::CRect preview;
        m_preview.GetWindowRect(&preview);
        store.WritePreviewPosition(preview.TopLeft());
    }
}

// --- Fields ------------------------------------------------------------------

bool CAnimDlg::ReadFields(FieldReadSource source)
{
    if (!IsWindow())
        return true;  // the main dialog's preview animation: no fields
    const std::array<std::pair<int, std::uint8_t*>, 4> fields = {{
        {res::IDC_ANIM_COUNT, &m_animCount},
        {res::IDC_ANIM_BLUE, &m_blue},
        {res::IDC_ANIM_GREEN, &m_green},
        {res::IDC_ANIM_RED, &m_red},
    }};
    for (const auto& [id, value] : fields) {
        const std::string text = GetDlgItemText(id);
        if (const std::optional<std::uint8_t> parsed = ParseFieldValue(text)) {
            *value = *parsed;
            m_fieldGate.FieldAccepted(id);
            continue;
        }
        if (m_fieldGate.MayShow(id, text, source)) {
            m_fieldGate.BeginMessage(id, text);
            Message(platform::LoadStringA(res::IDS_ANIM_FIELD_RANGE), ApplicationName(), MB_OK | MB_ICONEXCLAMATION);
            m_fieldGate.EndMessage();
            GotoDlgCtrl(GetDlgItem(id));
        }
        return false;
    }
    return true;
}

void CAnimDlg::ShowFields()
{
    if (!IsWindow())
        return;
    const std::array<std::pair<int, std::uint8_t>, 4> fields = {{
        {res::IDC_ANIM_COUNT, m_animCount},
        {res::IDC_ANIM_BLUE, m_blue},
        {res::IDC_ANIM_GREEN, m_green},
        {res::IDC_ANIM_RED, m_red},
    }};
    const bool outer = !std::exchange(m_writingFields, true);
    bool changed = false;
    for (const auto& [id, value] : fields) {
        const std::string text = FieldText(value);
        if (GetDlgItemText(id) != text) {
            SetDlgItemText(id, text);
            changed = true;
        }
    }
    if (outer) {
        m_writingFields = false;
        if (changed)
            RedrawEditor();
    }
}

void CAnimDlg::OnColorFieldChange()
{
    // Typing only asks for a repaint, which reads the fields. Painting at
    // once, as the system does when the keystroke's messages are done, puts
    // the typed value into the current colour before the next command.
    if (m_writingFields)
        return;
    Invalidate(TRUE);
    UpdateWindow();
}

void CAnimDlg::OnCountKillFocus()
{
    // The count check reports a bad field as any command does, not just once
    // like a repaint.
    CommandReads reads(m_readSource, m_fieldGate);
    ReadFields(m_readSource);
    if (m_animCount < 2)
        m_animCount = 2;
    ShowFields();
    // While a swap waits, the frame stays on its first swatch.
    m_highlight = m_tools.m_swapMode ? m_tools.m_swapFirst : 256 - m_animCount;
    RedrawEditor();
    RecordStep();
}

// --- Painting ----------------------------------------------------------------

void CAnimDlg::OnPaintEditor()
{
    platform::CPaintDC dc(this);
    PaintSwatchGrid(dc, m_colorTable, m_highlight);
    ReadFields(m_readSource);
    if (platform::CWnd* box = GetDlgItem(res::IDC_ANIM_CURRENT_COLOR)) {
        platform::CRect rect;
        box->GetWindowRect(&rect);
        ScreenToClient(&rect);
        PaintColorBox(dc, rect, CurrentColorRef());
    }
}

COLORREF CAnimDlg::CurrentColorRef() const
{
    return RGB(m_red, m_green, m_blue);
}

// --- Commands ------------------------------------------------------------------

void CAnimDlg::OnColorDialog()
{
    CommandReads reads(m_readSource, m_fieldGate);
    ReadFields(m_readSource);
    const COLORREF initial = CurrentColorRef();
    const platform::ColorAnswer answer =
        platform::CurrentPrompts().ChooseColor(GetSafeHwnd(), initial, CC_RGBINIT | CC_FULLOPEN | CC_SOLIDCOLOR);
    m_tools.Resume();
    // Cancel hands back the initial colour: nothing changes then.
    logo::SetCurrentColor(*this, answer.ok ? answer.color : initial, *this);
    if (auto* button = GetDlgItemAs<platform::CButton>(res::IDC_ANIM_COLOR_DIALOG))
        button->SetState(FALSE);
}

void CAnimDlg::OnPickTool()
{
    CommandReads reads(m_readSource, m_fieldGate);
    m_tools.StartPick();
}

void CAnimDlg::OnPlaceTool()
{
    CommandReads reads(m_readSource, m_fieldGate);
    m_tools.StartPlace();
}

void CAnimDlg::OnRemoveUnused()
{
    CommandReads reads(m_readSource, m_fieldGate);
    RecordStep();
    if (logo::RemoveUnusedColors(*this, *this))
        RedrawPreview();
    RecordStep();
}

void CAnimDlg::OnShowHidePreview()
{
    if (!m_preview.IsWindow())
        return;
    // While the pick tool runs the preview can only be shown.
    if (!m_preview.IsWindowVisible() || m_tools.m_pickMode)
        m_preview.ShowWindow(SW_SHOWNA);
    else
        m_preview.ShowWindow(SW_HIDE);
}

void CAnimDlg::OnColorCheck()
{
    CommandReads reads(m_readSource, m_fieldGate);
    ShowFields();
    if (logo::FindColor(*this, m_red, m_green, m_blue)) {
        Message(res::IDS_ANIM_COLOR_PRESENT, res::IDS_ANIM_COLOR_CHECK_CAPTION, MB_OK | MB_ICONINFORMATION);
        RedrawEditor();
    } else {
        Message(res::IDS_ANIM_COLOR_ABSENT, res::IDS_ANIM_COLOR_CHECK_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    }
}

void CAnimDlg::OnSaveAs()
{
    CommandReads reads(m_readSource, m_fieldGate);
    platform::FileDialogRequest request;
    request.mode = platform::FileDialogMode::Save;
    request.owner = GetSafeHwnd();
    request.title = platform::LoadStringA(res::IDS_SAVE_LOGO_TITLE);
    request.filter = platform::LoadStringA(res::IDS_ANIM_SAVE_FILTER);
    request.filterIndex = 0;
    request.defaultExtension = ".bmp";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
    const platform::FileDialogAnswer answer = platform::CurrentPrompts().FileDialog(request);
    m_tools.Resume();
    if (!answer.ok)
        return;

    const bool animated = answer.filterIndex != 0;
    if (animated)
        ReadFields(m_readSource);  // the count is written as the field reads now
    platform::BeginWaitCursor();
    const bool written = m_picture != nullptr
        && platform::WriteLogoPictureFile(answer.path, *m_picture, m_colorTable, animated, m_animCount);
    platform::EndWaitCursor();
    if (written) {
        m_modified = false;
        RecordStep();
        m_history.MarkSaved();
    } else
        Message(res::IDS_ANIM_WRITE_FAILED, res::IDS_CAPTION_ERROR, MB_OK | MB_ICONHAND);
}

void CAnimDlg::OnAnimate()
{
    CommandReads reads(m_readSource, m_fieldGate);
    if (m_animating)
        StopAnimation();
    else
        StartAnimation();
}

void CAnimDlg::StartAnimation()
{
    m_animating = true;
    m_phase = 0;
    ReadFields(m_readSource);
    m_highlight = 256 - m_animCount;
    EnableEditingControls(false);
    SetTimer(kAnimationTimer, kAnimationPeriodMs);
    RedrawEditor();
}

void CAnimDlg::StopAnimation()
{
    KillTimer(kAnimationTimer);
    // Back to the table the animation started from. The step wraps the
    // phase to 0 after at most N steps; the bound only guards the loop.
    for (int guard = 0; m_phase != 0 && guard < 256; ++guard)
        logo::AnimationStep(*this);
    m_phase = 0;
    logo::StoreColorTable(*this);
    RedrawPreview();
    RedrawEditor();
    EnableEditingControls(true);
    m_animating = false;
}

void CAnimDlg::EnableEditingControls(bool enable)
{
    for (const int id : kEditingControls) {
        if (platform::CWnd* control = GetDlgItem(id))
            control->EnableWindow(enable ? TRUE : FALSE);
    }
}

void CAnimDlg::OnTimerTick(UINT_PTR id)
{
    if (id == kAnimationTimer && m_animating)
        AnimationTick();
}

void CAnimDlg::AnimationTick()
{
    logo::AnimationStep(*this);
    logo::StoreColorTable(*this);
    if (m_preview.IsWindow())
        m_preview.ShowPicture(m_picture);
    RedrawEditor();
}

void CAnimDlg::OnAnimatedBar()
{
    CommandReads reads(m_readSource, m_fieldGate);
    RecordStep();
    const logo::BarOutcome outcome = logo::MakeAnimatedBar(*this, *this);
    RecordStep();
    switch (outcome) {
    case logo::BarOutcome::NotEnoughSpace:
        Message(res::IDS_ANIM_BAR_NO_SPACE, res::IDS_CAPTION_ERROR, MB_OK | MB_ICONEXCLAMATION);
        break;
    case logo::BarOutcome::Done:
        Message(res::IDS_ANIM_BAR_DONE, res::IDS_ANIM_BAR_CAPTION, MB_OK | MB_ICONINFORMATION);
        break;
    case logo::BarOutcome::NotALogo:
        break;
    }
}

void CAnimDlg::OnReverse()
{
    CommandReads reads(m_readSource, m_fieldGate);
    RecordStep();
    if (logo::ReverseSequence(*this, *this))
        RedrawPreview();
    RecordStep();
}

// --- Undo and redo -------------------------------------------------------------

void CAnimDlg::RecordStep()
{
    if (IsWindow() && !m_animating)
        m_history.Record(*this);
}

bool CAnimDlg::HistoryBlocked() const
{
    return m_animating || m_tools.Running();
}

void CAnimDlg::OnUndo()
{
    if (HistoryBlocked())
        return;
    // A count typed but not yet taken is a step of its own.
    CommandReads reads(m_readSource, m_fieldGate);
    ReadFields(m_readSource);
    RecordStep();
    if (m_history.Undo(*this))
        ShowRestoredState();
}

void CAnimDlg::OnRedo()
{
    if (HistoryBlocked())
        return;
    CommandReads reads(m_readSource, m_fieldGate);
    ReadFields(m_readSource);
    RecordStep();
    if (m_history.Redo(*this))
        ShowRestoredState();
}

void CAnimDlg::ShowRestoredState()
{
    m_modified = !m_history.AtSavedState();
    ShowFields();
    RedrawPreview();
    RedrawEditor();
}

// --- Mouse ---------------------------------------------------------------------

void CAnimDlg::OnMouseMoveTool(UINT keyFlags, platform::CPoint point)
{
    m_tools.OnMouseMove(keyFlags, point);
}

void CAnimDlg::OnLButtonDownTool(UINT keyFlags, platform::CPoint point)
{
    CommandReads reads(m_readSource, m_fieldGate);
    m_tools.OnLButtonDown(keyFlags, point);
    RecordStep();
}

void CAnimDlg::OnRButtonDownTool(UINT keyFlags, platform::CPoint point)
{
    CommandReads reads(m_readSource, m_fieldGate);
    m_tools.OnRButtonDown(keyFlags, point);
}

BOOL CAnimDlg::OnSetCursorTool(platform::CWnd*, UINT, UINT)
{
    return m_tools.KeepsCursor() ? TRUE : FALSE;
}

void CAnimDlg::OnActivateEditor(UINT state, platform::CWnd*, BOOL)
{
    // Another program's window never finds the cursor held in the editor.
    if (state == WA_INACTIVE)
        m_tools.Suspend();
    else
        m_tools.Resume();
}

UINT CAnimDlg::OnToolTipNeedText(int controlId)
{
    return res::TooltipStringFor(res::AnimDialogTooltips(), controlId).value_or(0);
}

// --- Helpers -------------------------------------------------------------------

int CAnimDlg::Message(UINT textId, UINT captionId, UINT type)
{
    return Message(platform::LoadStringA(textId), platform::LoadStringA(captionId), type);
}

int CAnimDlg::Message(const std::string& text, const std::string& caption, UINT type)
{
    // The prompt lets go of capture and confinement before it opens.
    const int answer = platform::MessageBoxA(GetSafeHwnd(), text, caption, type);
    m_tools.Resume();
    return answer;
}
