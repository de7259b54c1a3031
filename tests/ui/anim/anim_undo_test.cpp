// Undo and redo in the editor: Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z through the
// real editor, every kind of change one step, the grid, the preview's
// picture and m_modified following, the close question, and the history's
// limits on its own.

#include "AnimEditorFixture.h"
#include "platform/testing/KeyChordTesting.h"
#include "platform/ui/Accelerators.h"
#include "ui/anim/UndoHistory.h"

namespace animtest {
namespace {

using platform::testing::ClickControl;
using platform::testing::SendKeyChord;

void Undo(CAnimDlg& e) { SendKeyChord(e, 'Z', platform::FCONTROL); }
void Redo(CAnimDlg& e) { SendKeyChord(e, 'Y', platform::FCONTROL); }
void RedoByShift(CAnimDlg& e) { SendKeyChord(e, 'Z', platform::FCONTROL | platform::FSHIFT); }

class AnimUndo : public AnimEditorTest {};

TEST_F(AnimUndo, UndoAndRedoAPlacedColourFollowTheGridAndThePicture)
{
    m_prompts.QueueColorAnswer({true, RGB(1, 2, 3)});
    RunEditor(0, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_COLOR_DIALOG);
        ClickControl(e, res::IDC_ANIM_PLACE);
        Click(e, SwatchCentre(6));
        ASSERT_EQ(m_picture->colorTable[6], (logo::RgbQuad{3, 2, 1, 0}));
        Undo(e);
        EXPECT_EQ(e.m_colorTable[6], TestEntry(6));
        EXPECT_EQ(m_picture->colorTable[6], TestEntry(6));
        EXPECT_EQ(Pixel(e, SwatchCentre(6).x, SwatchCentre(6).y), EntryColor(TestEntry(6)));
        EXPECT_FALSE(e.m_modified);
        Redo(e);
        EXPECT_EQ(m_picture->colorTable[6], (logo::RgbQuad{3, 2, 1, 0}));
        EXPECT_EQ(Pixel(e, SwatchCentre(6).x, SwatchCentre(6).y), RGB(1, 2, 3));
        EXPECT_TRUE(e.m_modified);
        Undo(e);
        RedoByShift(e);
        EXPECT_EQ(m_picture->colorTable[6], (logo::RgbQuad{3, 2, 1, 0}));
    });
}

TEST_F(AnimUndo, EveryKindOfChangeIsOneStep)
{
    // Entries 128 and up unused, so Remove Unused Colours and the bar change something.
    *m_picture = TestLogo(128);
    const logo::LogoImage original = *m_picture;
    RunEditor(0, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_REVERSE);
        EXPECT_EQ(e.History().UndoSteps(), 1u);
        Click(e, SwatchCentre(10), MK_SHIFT);  // a swap
        Click(e, SwatchCentre(20));
        EXPECT_EQ(e.History().UndoSteps(), 2u);
        Click(e, SwatchCentre(235), MK_CONTROL);  // the count by Ctrl+click
        ASSERT_EQ(e.m_animCount, 21);
        EXPECT_EQ(e.History().UndoSteps(), 3u);
        ClickControl(e, res::IDC_ANIM_REMOVE_UNUSED);
        EXPECT_EQ(e.History().UndoSteps(), 4u);
        ClickControl(e, res::IDC_ANIM_ANIMATED_BAR);  // pixels change
        EXPECT_EQ(e.History().UndoSteps(), 5u);
        e.SetDlgItemText(res::IDC_ANIM_COUNT, "30");  // the count through the field
        platform::testing::SendCommand(e, res::IDC_ANIM_COUNT, EN_KILLFOCUS);
        EXPECT_EQ(e.History().UndoSteps(), 6u);
        for (int i = 0; i < 6; ++i)
            Undo(e);
        EXPECT_EQ(e.History().UndoSteps(), 0u);
        EXPECT_EQ(e.History().RedoSteps(), 6u);
        EXPECT_EQ(e.GetDlgItemText(res::IDC_ANIM_COUNT), "2");
        EXPECT_EQ(e.m_highlight, -1);  // a static picture opens with no frame
        EXPECT_FALSE(e.m_modified);
    });
    EXPECT_EQ(m_picture->pixels, original.pixels);
    EXPECT_EQ(m_picture->colorTable, original.colorTable);
}

TEST_F(AnimUndo, BackAtTheSavedStateCloseAsksNothing)
{
    const std::filesystem::path target = Root() / "saved.bmp";
    m_prompts.QueueFileDialogAnswer(target.string(), 1);
    bool closedWithoutQuestion = false;
    RunEditor(21, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_REVERSE);
        ClickControl(e, res::IDC_ANIM_SAVE_AS);
        ClickControl(e, res::IDC_ANIM_REVERSE);
        EXPECT_TRUE(e.m_modified);
        Undo(e);
        EXPECT_FALSE(e.m_modified);
        ClickControl(e, IDCANCEL);
        closedWithoutQuestion = !e.IsWindowVisible();
    });
    EXPECT_TRUE(closedWithoutQuestion);
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
}

TEST_F(AnimUndo, UndoingPastTheSavedStateAsksAgainAtClose)
{
    const std::filesystem::path target = Root() / "saved.bmp";
    m_prompts.QueueFileDialogAnswer(target.string(), 1);
    m_prompts.QueueMessageBoxAnswer(IDYES);
    RunEditor(21, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_REVERSE);
        ClickControl(e, res::IDC_ANIM_SAVE_AS);
        Undo(e);
        EXPECT_TRUE(e.m_modified);
        ClickControl(e, IDCANCEL);
    });
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.caption, "Alert");
}

TEST_F(AnimUndo, WaitsWhileTheAnimationOrAMouseToolRuns)
{
    RunEditor(21, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_REVERSE);
        const logo::ColorTable reversed = e.m_colorTable;
        ClickControl(e, res::IDC_ANIM_ANIMATE);
        platform::testing::FireTimer(e, 1);
        Undo(e);
        EXPECT_EQ(e.History().UndoSteps(), 1u);
        ClickControl(e, res::IDC_ANIM_ANIMATE);
        EXPECT_EQ(e.m_colorTable, reversed);  // the ticks were no steps
        ClickControl(e, res::IDC_ANIM_PLACE);
        Undo(e);
        EXPECT_EQ(e.m_colorTable, reversed);
        RightClick(e, SwatchCentre(3));
        Undo(e);
        EXPECT_EQ(e.m_colorTable[235], TestEntry(235));
    });
}

TEST_F(AnimUndo, ShortcutsWorkWhileAFieldHasTheFocus)
{
    RunEditor(21, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_REVERSE);
        e.GetDlgItem(res::IDC_ANIM_RED)->SetFocus();
        Undo(e);
        EXPECT_EQ(e.m_colorTable[235], TestEntry(235));
        EXPECT_EQ(e.GetDlgItemText(res::IDC_ANIM_RED), "0");
    });
}

// --- The history on its own ----------------------------------------------------------

logo::PaletteState StateOn(logo::LogoImage& picture)
{
    logo::PaletteState state;
    state.m_picture = &picture;
    logo::LoadColorTable(state);
    state.m_animCount = 2;
    return state;
}

TEST(UndoHistoryLimits, KeepsTheNewestHundredStepsAndForgetsTheSavedOneBeyond)
{
    logo::LogoImage picture = TestLogo();
    logo::PaletteState state = StateOn(picture);
    UndoHistory history;
    history.Reset(state);
    for (int i = 0; i < 130; ++i) {
        state.m_colorTable[0].red = static_cast<std::uint8_t>(i + 1);
        ASSERT_TRUE(history.Record(state));
    }
    EXPECT_EQ(history.UndoSteps(), 100u);
    EXPECT_FALSE(history.AtSavedState());
    while (history.Undo(state)) {
    }
    EXPECT_EQ(state.m_colorTable[0].red, 30);  // the oldest kept state
    EXPECT_FALSE(history.AtSavedState());
}

TEST(UndoHistoryLimits, StepsThatKeepThePixelsShareThem)
{
    logo::LogoImage picture = TestLogo();
    logo::PaletteState state = StateOn(picture);
    UndoHistory history;
    history.Reset(state);
    for (int i = 0; i < 100; ++i) {
        state.m_colorTable[1].green = static_cast<std::uint8_t>(i);
        history.Record(state);
    }
    // One copy of the pixels and a table a step.
    EXPECT_LT(history.MemoryBytes(), logo::kLogoPixelBytes + 101 * 1200);
    picture.pixels[0] ^= 1;
    history.Record(state);
    EXPECT_LT(history.MemoryBytes(), 2 * logo::kLogoPixelBytes + 102 * 1200);
}

TEST(UndoHistoryLimits, ANewStepDropsWhatCouldBeRedoneAndNothingChangedIsNoStep)
{
    logo::LogoImage picture = TestLogo();
    logo::PaletteState state = StateOn(picture);
    UndoHistory history;
    history.Reset(state);
    EXPECT_FALSE(history.Record(state));
    state.m_animCount = 5;
    history.Record(state);
    state.m_animCount = 6;
    history.Record(state);
    history.Undo(state);
    EXPECT_EQ(state.m_animCount, 5);
    EXPECT_TRUE(history.CanRedo());
    state.m_animCount = 9;
    history.Record(state);
    EXPECT_FALSE(history.CanRedo());
    history.Undo(state);
    EXPECT_EQ(state.m_animCount, 5);
}

}  // namespace
}  // namespace animtest
