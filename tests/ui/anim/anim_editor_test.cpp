// The open editor: its opening state and painting, the fields, the palette
// buttons with their messages, the animation, Save As and closing.

#include "AnimEditorFixture.h"
#include "logo/LogoFile.h"
#include "logo/BmpReader.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/FullScreen.h"
#include "ui/anim/WindowPlacement.h"

#include <fstream>

namespace animtest {
namespace {

using platform::testing::ClickControl;
using platform::testing::QueryControl;

class AnimEditorOpening : public AnimEditorTest {};

TEST_F(AnimEditorOpening, StaticPictureShowsCountTwoAndNoFrame)
{
    RunEditor(0, [&](CAnimDlg& e) {
        EXPECT_EQ(Text(e, res::IDC_ANIM_COUNT), "2");
        for (const int id : {res::IDC_ANIM_RED, res::IDC_ANIM_GREEN, res::IDC_ANIM_BLUE})
            EXPECT_EQ(Text(e, id), "0");
        EXPECT_EQ(e.m_highlight, -1);
        // No swatch carries the green frame.
        for (int i = 0; i < 256; ++i) {
            const RECT r = SwatchRect(i);
            EXPECT_NE(Pixel(e, r.left - 1, r.top - 1), kHighlightColor) << i;
        }
        EXPECT_FALSE(e.m_modified);
    });
    EXPECT_EQ(m_editor.m_animCount, 2);
}

TEST_F(AnimEditorOpening, AnimatedPictureFramesTheFirstCyclingSwatch)
{
    RunEditor(21, [&](CAnimDlg& e) {
        EXPECT_EQ(Text(e, res::IDC_ANIM_COUNT), "21");
        EXPECT_EQ(e.m_highlight, 235);
        // Swatch 235 is at (113, 73): frame over 112..122, fill inside.
        EXPECT_EQ(Pixel(e, 112, 72), kHighlightColor);
        EXPECT_EQ(Pixel(e, 122, 82), kHighlightColor);
        EXPECT_EQ(Pixel(e, 117, 77), EntryColor(TestEntry(235)));
    });
}

TEST_F(AnimEditorOpening, GridShowsEveryEntryAsNineByNineSwatch)
{
    RunEditor(0, [&](CAnimDlg& e) {
        for (const int i : {0, 1, 31, 32, 100, 200, 255}) {
            const RECT r = SwatchRect(i);
            const COLORREF want = EntryColor(TestEntry(i));
            EXPECT_EQ(Pixel(e, r.left, r.top), want) << i;
            EXPECT_EQ(Pixel(e, r.left + 8, r.top + 8), want) << i;
            EXPECT_EQ(Pixel(e, r.left + 9, r.top + 4), platform::kDialogFaceColor) << i;
            EXPECT_EQ(Pixel(e, r.left + 4, r.top + 9), platform::kDialogFaceColor) << i;
        }
    });
}

TEST_F(AnimEditorOpening, TemplateControlsFacesAndTooltips)
{
    RunEditor(0, [&](CAnimDlg& e) {
        EXPECT_EQ(e.GetWindowText(), "Animation Options");
        RECT client{};
        e.GetClientRect(&client);
        EXPECT_EQ(client.right, 408);
        EXPECT_EQ(client.bottom, 119);
        const auto save = QueryControl(e, res::IDC_ANIM_SAVE_AS);
        EXPECT_TRUE(save.isDefault);
        EXPECT_EQ(save.text, "&Save As..");
        EXPECT_FALSE(QueryControl(e, res::IDC_ANIM_SWATCH_AREA).visible);
        EXPECT_EQ(platform::testing::ToolTipText(e, res::IDC_ANIM_ANIMATED_BAR),
                  "Makes an animated bar at the bottom of the image using the current color");
        EXPECT_EQ(platform::testing::ToolTipText(e, IDCANCEL), "Closes this dialog");
        EXPECT_EQ(platform::testing::ToolTipText(e, res::IDC_ANIM_SWATCH_AREA), std::nullopt);
        // The preview: 320 x 400, shown without taking the activation.
        ASSERT_TRUE(e.m_preview.IsWindowVisible());
        RECT preview{};
        e.m_preview.GetClientRect(&preview);
        EXPECT_EQ(preview.right, 320);
        EXPECT_EQ(preview.bottom, 400);
        EXPECT_EQ(e.m_preview.GetWindowText(), "Preview");
    });
}

TEST_F(AnimEditorOpening, EnterRunsSaveAs)
{
    m_prompts.QueueFileDialogCancel();
    RunEditor(0, [&](CAnimDlg& e) { platform::testing::SendKey(e, VK_RETURN); });
    ASSERT_EQ(m_prompts.FileDialogs().size(), 1u);
    EXPECT_EQ(m_prompts.FileDialogs()[0].request.title, "Save Logo As...");
}

class AnimEditorFields : public AnimEditorTest {};

TEST_F(AnimEditorFields, TypedColourReachesTheColourBox)
{
    RunEditor(0, [&](CAnimDlg& e) {
        e.SetDlgItemText(res::IDC_ANIM_RED, "200");
        e.SetDlgItemText(res::IDC_ANIM_GREEN, " 100\t");
        EXPECT_EQ(e.m_red, 200);
        EXPECT_EQ(e.m_green, 100);
        RECT box = QueryControl(e, res::IDC_ANIM_CURRENT_COLOR).rect;
        EXPECT_EQ(Pixel(e, (box.left + box.right) / 2, (box.top + box.bottom) / 2), RGB(200, 100, 0));
    });
}

TEST_F(AnimEditorFields, BadValueShowsTheMessageOnceAndKeepsTheOldValue)
{
    RunEditor(0, [&](CAnimDlg& e) {
        e.SetDlgItemText(res::IDC_ANIM_RED, "40");
        e.SetDlgItemText(res::IDC_ANIM_RED, "300");
        EXPECT_EQ(e.m_red, 40);
        // Ticks and repaints with the same text stay silent.
        for (int i = 0; i < 5; ++i) {
            e.Invalidate();
            e.UpdateWindow();
        }
        EXPECT_TRUE(QueryControl(e, res::IDC_ANIM_RED).focused);
    });
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    const auto& box = m_prompts.MessageBoxes()[0];
    EXPECT_EQ(box.request.text, "Please enter an integer between 0 and 255.");
    EXPECT_EQ(box.request.caption, "lumva");
    EXPECT_EQ(box.request.type, MB_OK | MB_ICONEXCLAMATION);
}

TEST_F(AnimEditorFields, CommandsAlwaysReportABadField)
{
    m_prompts.QueueColorAnswer({false, 0});
    RunEditor(0, [&](CAnimDlg& e) {
        e.SetDlgItemText(res::IDC_ANIM_BLUE, "");
        ClickControl(e, res::IDC_ANIM_COLOR_DIALOG);
    });
    // One from the repaint after typing, one from the colour dialog command.
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 2u);
    EXPECT_EQ(m_prompts.MessageBoxes()[1].request.text, "Please enter an integer between 0 and 255.");
}

TEST_F(AnimEditorFields, CountCheckAtFocusLossReportsABadFieldLikeACommand)
{
    RunEditor(21, [&](CAnimDlg& e) {
        e.SetDlgItemText(res::IDC_ANIM_RED, "300");
        ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
        // The repaint has reported this text already; the count check does
        // so again, then shows the model's values in the fields.
        platform::testing::SendCommand(e, res::IDC_ANIM_COUNT, EN_KILLFOCUS);
        EXPECT_EQ(m_prompts.MessageBoxes().size(), 2u);
        EXPECT_EQ(e.m_animCount, 21);
        EXPECT_EQ(Text(e, res::IDC_ANIM_RED), "0");
    });
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 2u);
    for (const auto& box : m_prompts.MessageBoxes())
        EXPECT_EQ(box.request.text, "Please enter an integer between 0 and 255.");
}

TEST_F(AnimEditorFields, CountBelowTwoBecomesTwoWhenTheFieldLosesFocus)
{
    RunEditor(21, [&](CAnimDlg& e) {
        e.SetDlgItemText(res::IDC_ANIM_COUNT, "1");
        platform::testing::SendCommand(e, res::IDC_ANIM_COUNT, EN_KILLFOCUS);
        EXPECT_EQ(Text(e, res::IDC_ANIM_COUNT), "2");
        EXPECT_EQ(e.m_animCount, 2);
        EXPECT_EQ(e.m_highlight, 254);
    });
}

class AnimEditorCommands : public AnimEditorTest {};

TEST_F(AnimEditorCommands, ColourCheckFindsAndHighlightsThePresentColour)
{
    RunEditor(0, [&](CAnimDlg& e) {
        const logo::RgbQuad entry = TestEntry(40);
        e.SetDlgItemText(res::IDC_ANIM_RED, std::to_string(entry.red));
        e.SetDlgItemText(res::IDC_ANIM_GREEN, std::to_string(entry.green));
        e.SetDlgItemText(res::IDC_ANIM_BLUE, std::to_string(entry.blue));
        ClickControl(e, res::IDC_ANIM_COLOR_CHECK);
        EXPECT_EQ(e.m_highlight, 40);
        EXPECT_EQ(Pixel(e, SwatchRect(40).left - 1, SwatchRect(40).top - 1), kHighlightColor);
        e.SetDlgItemText(res::IDC_ANIM_RED, "1");
        ClickControl(e, res::IDC_ANIM_COLOR_CHECK);
        EXPECT_EQ(e.m_highlight, 40);
    });
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 2u);
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.text, "This color is present at the hilighted swatch");
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.caption, "Color Check");
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.type, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(m_prompts.MessageBoxes()[1].request.text, "This color is not present in the color table");
    EXPECT_EQ(m_prompts.MessageBoxes()[1].request.type, MB_OK | MB_ICONEXCLAMATION);
}

TEST_F(AnimEditorCommands, ColourDialogTakesTheChoiceAndCancelKeepsTheColour)
{
    m_prompts.QueueColorAnswer({true, RGB(10, 20, 30)});
    m_prompts.QueueColorAnswer({false, RGB(10, 20, 30)});
    RunEditor(0, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_COLOR_DIALOG);
        EXPECT_EQ(Text(e, res::IDC_ANIM_RED), "10");
        EXPECT_EQ(Text(e, res::IDC_ANIM_BLUE), "30");
        ClickControl(e, res::IDC_ANIM_COLOR_DIALOG);
        EXPECT_EQ(e.m_red, 10);
        EXPECT_EQ(e.m_green, 20);
        EXPECT_EQ(e.m_blue, 30);
    });
    ASSERT_EQ(m_prompts.Colors().size(), 2u);
    EXPECT_EQ(m_prompts.Colors()[0].request.flags, 131u);
    EXPECT_EQ(m_prompts.Colors()[0].request.initial, RGB(0, 0, 0));
    EXPECT_EQ(m_prompts.Colors()[1].request.initial, RGB(10, 20, 30));
}

TEST_F(AnimEditorCommands, AnimatedBarThenSaveAsAnimatedLogo)
{
    *m_picture = TestLogo(16);
    const std::filesystem::path target = Root() / "bar.bmp";
    m_prompts.QueueFileDialogAnswer(target.string(), 1);
    RunEditor(0, [&](CAnimDlg& e) {
        e.SetDlgItemText(res::IDC_ANIM_RED, "40");
        ClickControl(e, res::IDC_ANIM_ANIMATED_BAR);
        EXPECT_EQ(Text(e, res::IDC_ANIM_COUNT), "21");
        EXPECT_EQ(e.m_highlight, 235);
        EXPECT_TRUE(e.m_modified);
        ClickControl(e, res::IDC_ANIM_SAVE_AS);
        EXPECT_FALSE(e.m_modified);
    });
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.caption, "Make Animated Bar");
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.type, MB_OK | MB_ICONINFORMATION);
    const auto& dialog = m_prompts.FileDialogs().at(0);
    EXPECT_EQ(dialog.request.filter, "Static Logo|*.bmp|Animated Logo|*.bmp||");
    EXPECT_EQ(dialog.request.filterIndex, 0);
    EXPECT_EQ(dialog.request.flags, DWORD(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN));
    std::uint8_t count = 0;
    ASSERT_TRUE(logo::ReadAnimationCount(target.string(), count));
    EXPECT_EQ(count, 21);
    std::ifstream file(target, std::ios::binary);
    file.seekg(50);
    EXPECT_EQ(file.get(), 235);
    const logo::LoadResult back = logo::LoadBmpFile(target.string());
    ASSERT_TRUE(back);
    EXPECT_EQ(back.picture->colorTable[245].red, 40);
    EXPECT_EQ(back.picture->pixels[399 * 320 + 0], 254);
}

TEST_F(AnimEditorCommands, AnimatedBarWithoutSpaceShowsTheError)
{
    RunEditor(0, [&](CAnimDlg& e) { ClickControl(e, res::IDC_ANIM_ANIMATED_BAR); });
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.caption, "Error");
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_NE(m_prompts.MessageBoxes()[0].request.text.find("sufficient space"), std::string::npos);
}

TEST_F(AnimEditorCommands, AnimationDisablesToolsTicksAndStopsBackAtTheStart)
{
    const logo::ColorTable before = [&] {
        logo::ColorTable t{};
        std::copy_n(m_picture->colorTable.begin(), 256, t.begin());
        return t;
    }();
    RunEditor(21, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_ANIMATE);
        EXPECT_EQ(platform::testing::TimerInterval(e, 1), 250);
        for (const int id : {res::IDC_ANIM_COUNT, res::IDC_ANIM_PICK, res::IDC_ANIM_PLACE, res::IDC_ANIM_REMOVE_UNUSED,
                             res::IDC_ANIM_COLOR_CHECK, res::IDC_ANIM_ANIMATED_BAR, res::IDC_ANIM_REVERSE})
            EXPECT_FALSE(QueryControl(e, id).enabled) << id;
        EXPECT_TRUE(QueryControl(e, res::IDC_ANIM_COLOR_DIALOG).enabled);
        for (int i = 0; i < 7; ++i)
            ASSERT_TRUE(platform::testing::FireTimer(e, 1));
        // The picture and the grid show the rotated table.
        EXPECT_EQ(m_picture->colorTable[235], before[242]);
        EXPECT_EQ(Pixel(e, SwatchCentre(235).x, SwatchCentre(235).y), EntryColor(before[242]));
        ClickControl(e, res::IDC_ANIM_ANIMATE);
        EXPECT_TRUE(platform::testing::ActiveTimers(e).empty());
        EXPECT_TRUE(QueryControl(e, res::IDC_ANIM_COUNT).enabled);
        EXPECT_FALSE(e.m_animating);
    });
    EXPECT_TRUE(std::equal(before.begin(), before.end(), m_picture->colorTable.begin()));
    EXPECT_FALSE(m_editor.m_modified);
}

TEST_F(AnimEditorCommands, SaveAsStaticWhileAnimatingWritesTheRotatedTable)
{
    const std::filesystem::path target = Root() / "static.bmp";
    m_prompts.QueueFileDialogAnswer(target.string(), 0);
    logo::RgbQuad expected{};
    RunEditor(21, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_ANIMATE);
        platform::testing::FireTimer(e, 1);
        expected = e.m_colorTable[235];
        ClickControl(e, res::IDC_ANIM_SAVE_AS);
    });
    std::uint8_t count = 99;
    EXPECT_FALSE(logo::ReadAnimationCount(target.string(), count));
    EXPECT_EQ(count, 0);
    const logo::LoadResult back = logo::LoadBmpFile(target.string());
    ASSERT_TRUE(back);
    EXPECT_EQ(back.picture->colorTable[235], expected);
    EXPECT_EQ(expected, TestEntry(236));
}

TEST_F(AnimEditorCommands, FailedWriteReportsAndKeepsTheChanges)
{
    m_prompts.QueueFileDialogAnswer((Root() / "missing-folder" / "x.bmp").string(), 0);
    RunEditor(0, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_REMOVE_UNUSED);
        ClickControl(e, res::IDC_ANIM_SAVE_AS);
        EXPECT_TRUE(e.m_modified);
    });
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.text, "Error writing file");
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.type, MB_OK | MB_ICONHAND);
}

class AnimEditorClosing : public AnimEditorTest {
protected:
    int StoredInt(const char* entry) const { return Settings().ReadInt("AnimDlg", entry, -12345); }
};

TEST_F(AnimEditorClosing, UnsavedChangesAskAndNoKeepsTheEditorOpen)
{
    m_prompts.QueueMessageBoxAnswer(IDNO);
    m_prompts.QueueMessageBoxAnswer(IDYES);
    bool openAfterNo = false;
    RunEditor(0, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_REVERSE);
        ClickControl(e, IDCANCEL);
        openAfterNo = e.IsWindowVisible() != FALSE;
        platform::testing::SendKey(e, VK_ESCAPE);
    });
    EXPECT_TRUE(openAfterNo);
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 2u);
    const auto& question = m_prompts.MessageBoxes()[0].request;
    EXPECT_EQ(question.caption, "Alert");
    EXPECT_EQ(question.type, UINT(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2));
    EXPECT_EQ(question.text,
              "Image has not been saved. Are you sure you want to continue.\nPressing YES will discard your changes.");
}

TEST_F(AnimEditorClosing, AfterASaveCloseClosesAtOnce)
{
    m_prompts.QueueFileDialogAnswer((Root() / "saved.bmp").string(), 0);
    int result = RunEditor(0, [&](CAnimDlg& e) {
        ClickControl(e, res::IDC_ANIM_REVERSE);
        ClickControl(e, res::IDC_ANIM_SAVE_AS);
        ClickControl(e, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
}

TEST_F(AnimEditorClosing, PositionsAreStoredWithThePreviewShownAndKeptWhenHidden)
{
    POINT editorAt{}, previewAt{};
    RunEditor(0, [&](CAnimDlg& e) {
        e.SetWindowPos(nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        e.m_preview.SetWindowPos(nullptr, 300, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT r{};
        e.GetWindowRect(&r);
        editorAt = {r.left, r.top};
        e.m_preview.GetWindowRect(&r);
        previewAt = {r.left, r.top};
    });
    EXPECT_EQ(StoredInt("x"), editorAt.x);
    EXPECT_EQ(StoredInt("y"), editorAt.y);
    EXPECT_EQ(StoredInt("px"), previewAt.x);
    EXPECT_EQ(StoredInt("py"), previewAt.y);

    // Hidden preview: x and y move on, px and py stay.
    RunEditor(0, [&](CAnimDlg& e) {
        RECT r{};
        e.m_preview.GetWindowRect(&r);
        EXPECT_EQ(r.left, previewAt.x);
        EXPECT_EQ(r.top, previewAt.y);
        ClickControl(e, res::IDC_ANIM_SHOW_PREVIEW);
        EXPECT_FALSE(e.m_preview.IsWindowVisible());
        e.SetWindowPos(nullptr, 60, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        e.m_preview.SetWindowPos(nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        e.GetWindowRect(&r);
        editorAt = {r.left, r.top};
    });
    EXPECT_EQ(StoredInt("x"), editorAt.x);
    EXPECT_EQ(StoredInt("px"), previewAt.x);
    EXPECT_EQ(StoredInt("py"), previewAt.y);
    EXPECT_FALSE(m_editor.m_preview.IsWindow());
}

TEST_F(AnimEditorClosing, StoredPositionsOffTheScreenAreBroughtBack)
{
    Settings().WriteInt("AnimDlg", "x", 90000);
    Settings().WriteInt("AnimDlg", "y", -5000);
    Settings().WriteInt("AnimDlg", "px", -90000);
    Settings().WriteInt("AnimDlg", "py", 90000);
    RunEditor(0, [&](CAnimDlg& e) {
        // Inside the work area with the whole frame, also one the window
        // system has not added yet.
        for (const platform::CWnd* window : {static_cast<platform::CWnd*>(&e), static_cast<platform::CWnd*>(&e.m_preview)}) {
            RECT area{};
            ASSERT_TRUE(platform::GetWorkArea(*window, &area));
            RECT r{};
            window->GetWindowRect(&r);
            const FrameSize frame = FrameSizeOf(*window);
            EXPECT_GE(r.left, area.left);
            EXPECT_GE(r.top, area.top);
            EXPECT_LE(r.left + frame.width, area.right);
            EXPECT_LE(r.top + frame.height, area.bottom);
        }
    });
}

}  // namespace
}  // namespace animtest
