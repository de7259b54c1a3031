#pragma once
// The Animation Options editor. The main dialog holds the one object for its
// whole life; its PaletteState (the members m_picture to m_freedCount) also
// drives the palette cycling of the main dialog's StartUp preview, with no
// window open. Each opening re-initialises the editor state; only m_picture
// and m_animCount come from the caller, who owns the picture.

#include "logo/PaletteOperations.h"
#include "logo/PaletteState.h"
#include "platform/ui/CDialog.h"
#include "ui/anim/AnimMouseTools.h"
#include "ui/anim/AnimToolHost.h"
#include "ui/anim/CPreviewDlg.h"
#include "ui/anim/FieldMessageGate.h"
#include "ui/anim/UndoHistory.h"

#include <string>

class CAnimDlg : public platform::CDialog,
                 public logo::PaletteState,
                 private logo::PaletteView,
                 private AnimToolHost {
public:
    explicit CAnimDlg(platform::CWnd* parent = nullptr);
    ~CAnimDlg() override;

    // The state the palette operations and the animation step act on.
    logo::PaletteState& State() { return *this; }
    const logo::PaletteState& State() const { return *this; }

    // The Preview window (its window exists only while the editor is open).
    CPreviewDlg m_preview;
    // The mouse tools and their state (m_pickMode, m_placeMode, m_swapMode,
    // m_overGrid, m_ownCursor, m_savedColor, m_savedCursor).
    AnimMouseTools m_tools;

    // Copies the count and the R, G, B fields into the state (IDC_ANIM_COUNT,
    // then IDC_ANIM_BLUE, IDC_ANIM_GREEN, IDC_ANIM_RED). At the first bad field the field message may show, and
    // that field and the ones after it keep their values; false then.
    bool ReadFields(FieldReadSource source);
    // Writes the count and the current colour into the fields; an edit
    // that already reads the same is left alone.
    void ShowFields();
    // One tick of the animation timer: step, store, refresh the preview's
    // picture, repaint the grid.
    void AnimationTick();

    // The changes of this opening, for Ctrl+Z and Ctrl+Y / Ctrl+Shift+Z.
    const UndoHistory& History() const { return m_history; }

protected:
    BOOL OnInitDialog() override;
    // Enter runs Save As: the editor has no OK path.
    void OnOK() override;
    // Close, Esc and the close box: ask first when there are unsaved changes.
    void OnCancel() override;
    void OnDestroy() override;
    const platform::MessageMapBase* GetMessageMap() const override;

private:
    // --- Messages ----------------------------------------------------------
    void OnPaintEditor();
    void OnColorFieldChange();
    void OnCountKillFocus();
    void OnColorDialog();
    void OnPickTool();
    void OnPlaceTool();
    void OnRemoveUnused();
    void OnShowHidePreview();
    void OnColorCheck();
    void OnSaveAs();
    void OnAnimate();
    void OnAnimatedBar();
    void OnReverse();
    void OnUndo();
    void OnRedo();
    void OnTimerTick(UINT_PTR id);
    void OnMouseMoveTool(UINT keyFlags, platform::CPoint point);
    void OnLButtonDownTool(UINT keyFlags, platform::CPoint point);
    void OnRButtonDownTool(UINT keyFlags, platform::CPoint point);
    BOOL OnSetCursorTool(platform::CWnd* window, UINT hitTest, UINT message);
    void OnActivateEditor(UINT state, platform::CWnd* other, BOOL minimized);
    UINT OnToolTipNeedText(int controlId);

    // --- Opening and closing -------------------------------------------------
    void SetButtonFaces();
    void RestorePositions();
    void StorePositions();
    void StartAnimation();
    void StopAnimation();
    void EnableEditingControls(bool enable);

    // --- Undo and redo --------------------------------------------------------
    // Takes what changed since the last step as a new step (nothing while
    // the animation runs: its ticks are no edits).
    void RecordStep();
    // Undo and redo wait while the animation or a mouse tool runs.
    bool HistoryBlocked() const;
    // The editor shows the state just restored.
    void ShowRestoredState();

    // --- Helpers ----------------------------------------------------------------
    // A message box owned by the editor; running tools take their capture
    // and confinement back when it closes.
    int Message(UINT textId, UINT captionId, UINT type);
    int Message(const std::string& text, const std::string& caption, UINT type);
    RECT SwatchAreaClient();
    COLORREF CurrentColorRef() const;

    // --- logo::PaletteView: what the palette operations ask of the editor ---
    bool ReadFields(logo::PaletteState&) override;
    void ShowFields(const logo::PaletteState&) override;
    void RedrawEditor() override;
    void RedrawPreview() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

    // --- AnimToolHost: what the mouse tools ask of the editor ---------------
    logo::PaletteState& ToolPalette() override { return *this; }
    HWND EditorWindow() override { return GetSafeHwnd(); }
    RECT HotAreaClient() override;
    RECT HotAreaScreen() override;
    bool PreviewVisible() override;
    void RaisePreview() override;
    std::optional<RECT> PreviewClientOnScreen() override;
    COLORREF PreviewPixelAt(POINT editorClient) override;
    COLORREF EditorPixelAt(POINT editorClient) override;
    void ApplyCurrentColor(logo::ColorValue color) override;
    void SwapSwatches(std::uint8_t a, std::uint8_t b) override;
    void PlaceSwatch(std::uint8_t index) override;
    void ShowFieldValues() override { ShowFields(); }
    void RepaintEditor() override { RedrawEditor(); }
    void EnableCountField(bool enable) override;
    void ReportPreviewHidden() override;

    FieldMessageGate m_fieldGate;
    // Where the field reads of the running handler come from.
    FieldReadSource m_readSource = FieldReadSource::Passive;
    // ShowFields is writing the fields: their changes need no repaint each.
    bool m_writingFields = false;
    UndoHistory m_history;
};
