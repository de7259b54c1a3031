// The mouse tools through synthetic mouse events: grid click, Ctrl+click,
// Shift+click swap, place, pick, and that no tool ever holds the cursor
// once it has ended or the editor has closed.

#include "AnimEditorFixture.h"
#include "platform/testing/KeyChordTesting.h"

#include <ostream>

namespace animtest {
namespace {

using platform::testing::ClickControl;
using platform::testing::QueryControl;

bool SameCursor(HCURSOR cursor, int resourceId)
{
    const auto info = platform::DescribeCursor(cursor);
    return info && info->resourceId == resourceId;
}

class AnimGridClicks : public AnimEditorTest {};

TEST_F(AnimGridClicks, HoverShowsThePipetteAndLeavingGivesTheCursorBack)
{
    RunEditor(0, [&](CAnimDlg& e) {
        Move(e, SwatchCentre(50));
        EXPECT_TRUE(e.m_tools.m_overGrid);
        EXPECT_TRUE(e.m_tools.m_ownCursor);
        EXPECT_TRUE(SameCursor(platform::GetCursor(), res::IDCUR_PIPETTE));
        Move(e, POINT{380, 100});
        EXPECT_FALSE(e.m_tools.m_overGrid);
        EXPECT_FALSE(e.m_tools.m_ownCursor);
        EXPECT_EQ(platform::GetCursor(), nullptr);
    });
}

TEST_F(AnimGridClicks, ClickTakesTheSwatchColourAndBetweenSwatchesTheBackground)
{
    RunEditor(0, [&](CAnimDlg& e) {
        Click(e, SwatchCentre(77));
        const logo::RgbQuad entry = TestEntry(77);
        EXPECT_EQ(Text(e, res::IDC_ANIM_RED), std::to_string(entry.red));
        EXPECT_EQ(Text(e, res::IDC_ANIM_GREEN), std::to_string(entry.green));
        EXPECT_EQ(Text(e, res::IDC_ANIM_BLUE), std::to_string(entry.blue));
        Click(e, POINT{SwatchRect(77).left + 9, SwatchRect(77).top + 4});
        EXPECT_EQ(RGB(e.m_red, e.m_green, e.m_blue), platform::kDialogFaceColor);
    });
}

struct CtrlCase {
    const char* name;
    int swatch;
    int count;
    int highlight;
};

class AnimCtrlClick : public AnimEditorTest, public ::testing::WithParamInterface<CtrlCase> {};

TEST_P(AnimCtrlClick, ChoosesTheStartOfTheAnimatedRange)
{
    const CtrlCase& c = GetParam();
    RunEditor(10, [&](CAnimDlg& e) {
        Click(e, SwatchCentre(c.swatch), MK_CONTROL);
        EXPECT_EQ(e.m_animCount, c.count);
        EXPECT_EQ(Text(e, res::IDC_ANIM_COUNT), std::to_string(c.count));
        EXPECT_EQ(e.m_highlight, c.highlight);
        const RECT r = SwatchRect(c.swatch);
        EXPECT_EQ(Pixel(e, r.left - 1, r.top - 1) == kHighlightColor, c.highlight >= 0);
    });
}

INSTANTIATE_TEST_SUITE_P(Swatches, AnimCtrlClick,
                         ::testing::Values(CtrlCase{"Swatch235", 235, 21, 235}, CtrlCase{"Swatch1", 1, 255, 1},
                                           CtrlCase{"Swatch254", 254, 2, 254}, CtrlCase{"Swatch0Ignored", 0, 10, -1},
                                           CtrlCase{"Swatch255Ignored", 255, 10, -1}),
                         [](const ::testing::TestParamInfo<CtrlCase>& info) { return std::string(info.param.name); });

TEST_F(AnimGridClicks, CtrlClickOnALabelAfterLeavingTheGridChangesNothing)
{
    RunEditor(10, [&](CAnimDlg& e) {
        Move(e, SwatchCentre(100));
        const RECT label = {45, 97, 57, 110};  // the "R:" label
        Click(e, POINT{label.left + 2, label.top + 3}, MK_CONTROL);
        EXPECT_EQ(e.m_animCount, 10);
        EXPECT_EQ(e.m_red, 0);
    });
}

TEST_F(AnimGridClicks, ClicksDoNothingWhileAnimating)
{
    RunEditor(10, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_ANIMATE);
        Click(e, SwatchCentre(100), MK_CONTROL);
        Click(e, SwatchCentre(101), MK_SHIFT);
        EXPECT_EQ(e.m_animCount, 10);
        EXPECT_FALSE(e.m_tools.m_swapMode);
        EXPECT_EQ(e.m_red, 0);
    });
}

class AnimSwap : public AnimEditorTest {};

TEST_F(AnimSwap, ShiftClickThenClickExchangesEntriesAndPixels)
{
    const std::size_t pixelOf10 = static_cast<std::size_t>(320 * (10 * 400 / 256 + 1));
    ASSERT_EQ(m_picture->pixels[pixelOf10], 10);
    RunEditor(0, [&](CAnimDlg& e) {
        Click(e, SwatchCentre(10), MK_SHIFT);
        EXPECT_TRUE(e.m_tools.m_swapMode);
        EXPECT_FALSE(QueryControl(e, res::IDC_ANIM_COUNT).enabled);
        EXPECT_TRUE(SameCursor(platform::GetCursor(), res::IDCUR_SWAP));
        EXPECT_TRUE(platform::CursorClip().has_value());
        // Shift still held: the swap waits for its target.
        Click(e, SwatchCentre(30), MK_SHIFT);
        EXPECT_TRUE(e.m_tools.m_swapMode);
        EXPECT_EQ(e.m_highlight, 10);
        Click(e, SwatchCentre(20));
        EXPECT_FALSE(e.m_tools.m_swapMode);
        EXPECT_TRUE(QueryControl(e, res::IDC_ANIM_COUNT).enabled);
        EXPECT_EQ(e.m_highlight, -1);
        EXPECT_FALSE(platform::CursorClip().has_value());
        EXPECT_TRUE(e.m_modified);
    });
    EXPECT_EQ(m_picture->colorTable[10], TestEntry(20));
    EXPECT_EQ(m_picture->colorTable[20], TestEntry(10));
    EXPECT_EQ(m_picture->pixels[pixelOf10], 20);
}

TEST_F(AnimSwap, FocusLossOfTheCountFieldDoesNotMoveTheFirstSwatch)
{
    RunEditor(0, [&](CAnimDlg& e) {
        Click(e, SwatchCentre(10), MK_SHIFT);
        // Disabling the focused count field takes its focus away.
        platform::testing::SendCommand(e, res::IDC_ANIM_COUNT, EN_KILLFOCUS);
        EXPECT_EQ(e.m_highlight, 10);
        Click(e, SwatchCentre(20));
    });
    EXPECT_EQ(m_picture->colorTable[10], TestEntry(20));
    EXPECT_EQ(m_picture->colorTable[254], TestEntry(254));
}

TEST_F(AnimSwap, RightClickCancelsTheSwap)
{
    RunEditor(0, [&](CAnimDlg& e) {
        Click(e, SwatchCentre(10), MK_SHIFT);
        RightClick(e, SwatchCentre(20));
        EXPECT_FALSE(e.m_tools.m_swapMode);
        EXPECT_EQ(e.m_highlight, -1);
        EXPECT_TRUE(QueryControl(e, res::IDC_ANIM_COUNT).enabled);
        EXPECT_FALSE(platform::CursorClip().has_value());
        EXPECT_EQ(platform::GetCapture(), nullptr);
        EXPECT_FALSE(e.m_modified);
    });
    EXPECT_EQ(m_picture->colorTable[10], TestEntry(10));
}

class AnimPlace : public AnimEditorTest {};

TEST_F(AnimPlace, ShiftKeepsTheToolAndAPlainClickEndsIt)
{
    m_prompts.QueueColorAnswer({true, RGB(1, 2, 3)});
    RunEditor(0, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_COLOR_DIALOG);
        ClickControl(e, res::IDC_ANIM_PLACE);
        EXPECT_TRUE(e.m_tools.m_placeMode);
        EXPECT_TRUE(SameCursor(platform::GetCursor(), res::IDCUR_BUCKET));
        ASSERT_TRUE(platform::CursorClip().has_value());
        EXPECT_EQ(platform::GetCapture(), e.GetSafeHwnd());
        Click(e, SwatchCentre(5), MK_SHIFT);
        Click(e, SwatchCentre(6), MK_SHIFT);
        EXPECT_TRUE(e.m_tools.m_placeMode);
        Click(e, SwatchCentre(7));
        EXPECT_FALSE(e.m_tools.m_placeMode);
        EXPECT_FALSE(platform::CursorClip().has_value());
        EXPECT_EQ(platform::GetCapture(), nullptr);
        EXPECT_TRUE(e.m_modified);
        EXPECT_EQ(Pixel(e, SwatchCentre(6).x, SwatchCentre(6).y), RGB(1, 2, 3));
    });
    for (const int i : {5, 6, 7})
        EXPECT_EQ(m_picture->colorTable[static_cast<std::size_t>(i)], (logo::RgbQuad{3, 2, 1, 0})) << i;
    EXPECT_EQ(m_picture->colorTable[8], TestEntry(8));
}

TEST_F(AnimPlace, ConfinementCoversTheSwatchAreaShrunkByFive)
{
    RunEditor(0, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_PLACE);
        const RECT clip = *platform::CursorClip();
        POINT origin{0, 0};
        e.ClientToScreen(&origin);
        EXPECT_EQ(clip.left - origin.x, 5);
        EXPECT_EQ(clip.top - origin.y, 5);
        EXPECT_EQ(clip.right - origin.x, 326 - 5);
        EXPECT_EQ(clip.bottom - origin.y, 85 - 5);
        RightClick(e, SwatchCentre(3));
        EXPECT_FALSE(e.m_tools.m_placeMode);
        EXPECT_FALSE(e.m_modified);
    });
}

class AnimPick : public AnimEditorTest {};

TEST_F(AnimPick, RefusedWhileThePreviewIsHidden)
{
    RunEditor(0, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_SHOW_PREVIEW);
        ClickControl(e, res::IDC_ANIM_PICK);
        EXPECT_FALSE(e.m_tools.m_pickMode);
        EXPECT_EQ(platform::GetCapture(), nullptr);
        EXPECT_FALSE(platform::CursorClip().has_value());
    });
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.text, "The preview pane must be visible before using this tool.");
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.caption, "Error");
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.type, MB_OK | MB_ICONEXCLAMATION);
}

// A point of the editor's client area over the preview's picture.
POINT OverPreview(CAnimDlg& e, int previewX, int previewY)
{
    POINT p{previewX, previewY};
    e.m_preview.ClientToScreen(&p);
    e.ScreenToClient(&p);
    return p;
}

TEST_F(AnimPick, ColourFollowsTheMouseAndRightClickRestoresIt)
{
    m_prompts.QueueColorAnswer({true, RGB(9, 8, 7)});
    RunEditor(0, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_COLOR_DIALOG);
        ClickControl(e, res::IDC_ANIM_PICK);
        ASSERT_TRUE(e.m_tools.m_pickMode);
        EXPECT_EQ(platform::GetCapture(), e.GetSafeHwnd());
        EXPECT_TRUE(SameCursor(platform::GetCursor(), res::IDCUR_PIPETTE));
        // The preview cannot be hidden while picking.
        ClickControl(e, res::IDC_ANIM_SHOW_PREVIEW);
        EXPECT_TRUE(e.m_preview.IsWindowVisible());
        Move(e, OverPreview(e, 100, 200));  // row 200 shows entry 128
        EXPECT_EQ(RGB(e.m_red, e.m_green, e.m_blue), EntryColor(TestEntry(128)));
        RightClick(e, OverPreview(e, 100, 200));
        EXPECT_EQ(RGB(e.m_red, e.m_green, e.m_blue), RGB(9, 8, 7));
        EXPECT_FALSE(e.m_tools.m_pickMode);
        EXPECT_EQ(platform::GetCapture(), nullptr);
        EXPECT_FALSE(platform::CursorClip().has_value());
    });
}

TEST_F(AnimPick, LeftClickKeepsThePickedColour)
{
    RunEditor(0, [&](CAnimDlg& e) {
        Move(e, SwatchCentre(3));  // a stale hover must not turn the click into a grid click
        ClickControl(e, res::IDC_ANIM_PICK);
        const POINT p = OverPreview(e, 10, 399);
        Move(e, p);
        platform::testing::SendMouse(e, platform::testing::MouseAction::LeftDown, p, 0);
        EXPECT_FALSE(e.m_tools.m_pickMode);
        EXPECT_EQ(RGB(e.m_red, e.m_green, e.m_blue), EntryColor(TestEntry(255)));
        EXPECT_FALSE(e.m_tools.m_ownCursor);
    });
}

// Lays the preview over the swatch grid, its top left corner on the
// editor's client origin, as a user may drag it.
void LayPreviewOverTheGrid(CAnimDlg& e)
{
    POINT origin{0, 0};
    e.ClientToScreen(&origin);
    e.m_preview.SetWindowPos(nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

struct PickEndCase {
    const char* name;
    UINT keyFlags;
};

void PrintTo(const PickEndCase& c, std::ostream* os)
{
    *os << c.name;
}

class AnimPickEndsOverTheGrid : public AnimEditorTest, public ::testing::WithParamInterface<PickEndCase> {};

TEST_P(AnimPickEndsOverTheGrid, KeepsThePickedColourAndStartsNothing)
{
    RunEditor(10, [&](CAnimDlg& e) {
        LayPreviewOverTheGrid(e);
        Move(e, POINT{380, 100});  // towards the pick button, off the grid
        ClickControl(e, res::IDC_ANIM_PICK);
        ASSERT_TRUE(e.m_tools.m_pickMode);
        const POINT p = SwatchCentre(40);
        Move(e, p);
        const COLORREF picked = RGB(e.m_red, e.m_green, e.m_blue);
        ASSERT_NE(picked, EntryColor(TestEntry(40)));
        const int highlight = e.m_highlight;
        platform::testing::SendMouse(e, platform::testing::MouseAction::LeftDown, p, GetParam().keyFlags);
        EXPECT_FALSE(e.m_tools.m_pickMode);
        EXPECT_EQ(RGB(e.m_red, e.m_green, e.m_blue), picked);
        EXPECT_FALSE(e.m_tools.m_swapMode);
        EXPECT_EQ(e.m_animCount, 10);
        EXPECT_EQ(e.m_highlight, highlight);
    });
}

INSTANTIATE_TEST_SUITE_P(Keys, AnimPickEndsOverTheGrid,
                         ::testing::Values(PickEndCase{"Plain", 0}, PickEndCase{"Shift", MK_SHIFT},
                                           PickEndCase{"Ctrl", MK_CONTROL}),
                         [](const ::testing::TestParamInfo<PickEndCase>& info) { return std::string(info.param.name); });

TEST_F(AnimGridClicks, PressWithoutAnyMoveIsNoGridClick)
{
    RunEditor(10, [&](CAnimDlg& e) {
        platform::testing::SendMouse(e, platform::testing::MouseAction::LeftDown, SwatchCentre(200), MK_CONTROL);
        EXPECT_EQ(e.m_animCount, 10);
        EXPECT_EQ(Text(e, res::IDC_ANIM_COUNT), "10");
        platform::testing::SendMouse(e, platform::testing::MouseAction::LeftDown, SwatchCentre(201), MK_SHIFT);
        EXPECT_FALSE(e.m_tools.m_swapMode);
        EXPECT_EQ(e.m_red, 0);
        // Once a move has seen the grid, the same press is a grid click.
        Move(e, SwatchCentre(200));
        platform::testing::SendMouse(e, platform::testing::MouseAction::LeftDown, SwatchCentre(200), MK_CONTROL);
        EXPECT_EQ(e.m_animCount, 56);
    });
}

TEST_F(AnimSwap, GivesBackTheCursorFromBeforeTheHover)
{
    RunEditor(0, [&](CAnimDlg& e) {
        Click(e, SwatchCentre(10), MK_SHIFT);
        Click(e, SwatchCentre(20));
        EXPECT_TRUE(SameCursor(platform::GetCursor(), res::IDCUR_PIPETTE));
        Move(e, POINT{380, 100});
        EXPECT_FALSE(e.m_tools.m_ownCursor);
        EXPECT_EQ(platform::GetCursor(), nullptr);
    });
}

TEST_F(AnimPick, ClosingOrLosingActivationReleasesTheTool)
{
    RunEditor(0, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_PICK);
        ClickControl(e, res::IDC_ANIM_PLACE);
        ASSERT_TRUE(platform::CursorClip().has_value());
        e.m_tools.Suspend();
        EXPECT_FALSE(platform::CursorClip().has_value());
        EXPECT_EQ(platform::GetCapture(), nullptr);
        e.m_tools.Resume();
        EXPECT_TRUE(platform::CursorClip().has_value());
        EXPECT_EQ(platform::GetCapture(), e.GetSafeHwnd());
        platform::testing::SendKey(e, VK_ESCAPE);
    });
    EXPECT_FALSE(platform::CursorClip().has_value());
    EXPECT_EQ(platform::GetCapture(), nullptr);
    EXPECT_EQ(platform::GetCursor(), nullptr);
    EXPECT_FALSE(m_editor.m_tools.Running());
}

class AnimDoubleClick : public AnimEditorTest {};

TEST_F(AnimDoubleClick, TheSecondClickStillTakesASwatch)
{
    RunEditor(0, [&](CAnimDlg& e) {
        Move(e, SwatchCentre(40));
        platform::testing::DoubleClick(e, SwatchCentre(40));
        EXPECT_EQ(e.GetDlgItemText(res::IDC_ANIM_RED), std::to_string(TestEntry(40).red));
        EXPECT_EQ(e.GetDlgItemText(res::IDC_ANIM_GREEN), std::to_string(TestEntry(40).green));
    });
}

}  // namespace
}  // namespace animtest
