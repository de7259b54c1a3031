// The main dialog's slots: how each opening shows the StartUp slot, the
// slot buttons with every branch of showing a slot, the refused
// pre-shut-down picture and the placeholder.

#include "MainDialogFixture.h"
#include "logo/Stretch.h"
#include "platform/ui/CDC.h"

namespace appletui {
namespace {

using platform::testing::ClickControl;
using platform::testing::QueryControl;

// --- Opening -------------------------------------------------------------------

struct OpeningCase {
    const char* name;
    std::function<void(MainDialogTest&)> prepare;  // writes what drive C holds
    bool showsPicture;                              // false: the placeholder
    SlotButtons buttons;
    std::string startUpPending;
};

class MainDialogOpeningTest : public MainDialogTest, public ::testing::WithParamInterface<OpeningCase> {
public:
    static void WriteStartUpLogo(MainDialogTest& t) { WriteLogo(t.StartUpFile(), 11); }
    static void WriteUndecodable(MainDialogTest& t)
    {
        // A bitmap header promising more than the file holds.
        Bytes bytes(200, 0x11);
        bytes[0] = 'B';
        bytes[1] = 'M';
        WriteBytes(t.StartUpFile(), bytes);
    }
    static void WriteLargePicture(MainDialogTest& t) { WriteBitmap(t.StartUpFile(), 640, 480, 8); }
};

TEST_P(MainDialogOpeningTest, ShowsTheStartUpSlotSilently)
{
    const OpeningCase& c = GetParam();
    c.prepare(*this);
    bool startUpChecked = false;
    bool showsPicture = false;
    bool placeholder = false;
    SlotButtons buttons;
    ApplyPair pair;
    Run([&](CMainDlg& d) {
        startUpChecked = QueryControl(d, res::IDC_STARTUP).checked;
        showsPicture = PreviewShown(d) != nullptr && !PreviewIsPlaceholder(d);
        placeholder = PreviewIsPlaceholder(d);
        buttons = ReadSlotButtons(d);
        pair = ReadApplyPair(d);
    });
    EXPECT_EQ(showsPicture, c.showsPicture);
    EXPECT_EQ(placeholder, !c.showsPicture);
    EXPECT_EQ(buttons, c.buttons);
    EXPECT_EQ(pair, kNothingWaiting);
    EXPECT_EQ(m_dialog.Pending()[0], c.startUpPending);
    EXPECT_TRUE(startUpChecked);
    EXPECT_TRUE(m_prompts.Order().empty()) << "no message at opening";
}

INSTANTIATE_TEST_SUITE_P(
    StartUpFile, MainDialogOpeningTest,
    ::testing::Values(
        OpeningCase{"StaticLogo", MainDialogOpeningTest::WriteStartUpLogo, true, {true, true, true, true}, ""},
        // Any bitmap the system already uses is shown stretched; no logo test.
        OpeningCase{"LargeBitmap", MainDialogOpeningTest::WriteLargePicture, true, {true, true, true, true}, ""},
        // No start-up file: the system's built-in screen, i.e. "Default".
        OpeningCase{"Missing", [](MainDialogTest&) {}, false, {true, false, false, false}, "Default"},
        // A file that is there but cannot be shown is not taken for
        // "Default": the next Apply would delete it.
        OpeningCase{"Undecodable", MainDialogOpeningTest::WriteUndecodable, false, {true, true, false, false}, ""}),
    [](const ::testing::TestParamInfo<OpeningCase>& info) { return std::string(info.param.name); });

TEST_F(MainDialogTest, PreviewShowsTheFileStretchedToThePreviewArea)
{
    WriteBitmap(StartUpFile(), 640, 480, 8);
    RECT area{};
    std::optional<logo::Picture> shown;
    Run([&](CMainDlg& d) {
        area = PreviewClientArea(d);
        if (PreviewShown(d) != nullptr)
            shown = *PreviewShown(d);
    });
    ASSERT_TRUE(shown.has_value());
    ASSERT_GT(area.right, 400);
    ASSERT_GT(area.bottom, 300);
    const logo::LoadResult expected = logo::LoadBmpFileScaled(StartUpFile(), area.right, area.bottom);
    ASSERT_TRUE(expected);
    EXPECT_EQ(shown->width, area.right);
    EXPECT_EQ(shown->height, area.bottom);
    EXPECT_EQ(shown->bitsPerPixel, 8) << "the stretched preview stays indexed";
    EXPECT_EQ(shown->pixels, expected.picture->pixels);
    EXPECT_EQ(shown->colorTable, expected.picture->colorTable);
}

TEST_F(MainDialogTest, PlaceholderIsTheUnavailableBitmapCentred)
{
    RECT area{};
    COLORREF inside = 0;
    COLORREF corner = 0;
    Run([&](CMainDlg& d) {
        area = PreviewClientArea(d);
        platform::CWnd* preview = d.GetDlgItem(res::IDC_PREVIEW);
        platform::CDC* dc = preview->GetDC();
        // Just inside the placeholder's top-left corner, clear of the letters.
        inside = dc->GetPixel(area.right / 2 - 110, area.bottom / 2 - 65);
        corner = dc->GetPixel(2, 2);
        preview->ReleaseDC(dc);
    });
    // The 235 x 142 placeholder's white ground sits in the middle; the
    // dialog face shows around it.
    EXPECT_EQ(inside, RGB(255, 255, 255));
    EXPECT_NE(corner, RGB(255, 255, 255));
}

// --- Showing a slot ---------------------------------------------------------------

TEST_F(MainDialogTest, SlotButtonsShowTheirSystemFiles)
{
    WriteSystemLogos();
    std::vector<std::vector<logo::RgbQuad>> tables;
    std::vector<SlotButtons> buttons;
    Run([&](CMainDlg& d) {
        for (int id : {res::IDC_PRESHUTDOWN, res::IDC_SHUTDOWN, res::IDC_STARTUP}) {
            ClickControl(d, id);
            tables.push_back(PreviewTable(d));
            buttons.push_back(ReadSlotButtons(d));
        }
    });
    ASSERT_EQ(tables.size(), 3u);
    const auto tableOf = [](unsigned seed) { return testing_support::MakeVariedLogo(seed).colorTable; };
    EXPECT_EQ(tables[0], tableOf(2));
    EXPECT_EQ(tables[1], tableOf(3));
    EXPECT_EQ(tables[2], tableOf(1));
    for (const SlotButtons& b : buttons)
        EXPECT_EQ(b, (SlotButtons{true, true, true, true}));
    EXPECT_TRUE(m_prompts.Order().empty());
}

TEST_F(MainDialogTest, MissingShutDownFileIsReportedAndLeavesThePlaceholder)
{
    WriteLogo(StartUpFile(), 1);
    bool placeholder = false;
    SlotButtons buttons;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_SHUTDOWN);
        placeholder = PreviewIsPlaceholder(d);
        buttons = ReadSlotButtons(d);
    });
    EXPECT_EQ(MessagesShown(), std::vector<Shown>{CannotDisplay()});
    EXPECT_TRUE(placeholder);
    EXPECT_EQ(buttons, (SlotButtons{true, true, false, false}));
}

TEST_F(MainDialogTest, MissingPreShutDownFileAnsweredNoAsksAgainNextTime)
{
    WriteLogo(StartUpFile(), 1);
    m_prompts.QueueMessageBoxAnswer(IDOK);
    m_prompts.QueueMessageBoxAnswer(IDNO);
    m_prompts.QueueMessageBoxAnswer(IDOK);
    m_prompts.QueueMessageBoxAnswer(IDNO);
    SlotButtons buttons;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_PRESHUTDOWN);
        buttons = ReadSlotButtons(d);
        ClickControl(d, res::IDC_STARTUP);
        ClickControl(d, res::IDC_PRESHUTDOWN);
    });
    const std::vector<Shown> pair{CannotDisplayPreShutDown(), PreShutDownQuestion()};
    std::vector<Shown> twice = pair;
    twice.insert(twice.end(), pair.begin(), pair.end());
    EXPECT_EQ(MessagesShown(), twice);
    EXPECT_EQ(buttons, (SlotButtons{true, true, false, false}));
    EXPECT_EQ(Stored("PrShtDwn", "set"), "<absent>");
}

TEST_F(MainDialogTest, RefusedPreShutDownPictureStaysRefusedInLaterOpenings)
{
    WriteLogo(StartUpFile(), 1);
    m_prompts.QueueMessageBoxAnswer(IDOK);
    m_prompts.QueueMessageBoxAnswer(IDYES);
    SlotButtons afterYes;
    SlotButtons clickedAgain;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_PRESHUTDOWN);
        afterYes = ReadSlotButtons(d);
        ClickControl(d, res::IDC_SHUTDOWN);  // (missing too: one message)
        ClickControl(d, res::IDC_PRESHUTDOWN);
        clickedAgain = ReadSlotButtons(d);
    });
    EXPECT_EQ(MessagesShown(), (std::vector<Shown>{CannotDisplayPreShutDown(), PreShutDownQuestion(), CannotDisplay()}));
    EXPECT_EQ(afterYes, (SlotButtons{false, false, false, false}));
    EXPECT_EQ(clickedAgain, (SlotButtons{false, false, false, false}));
    EXPECT_EQ(Settings().ReadInt("PrShtDwn", "set", 0), 1);

    // Even a good pre-shut-down file is not offered again.
    WriteLogo(PreShutDownFile(), 2);
    m_prompts.ClearRecords();
    bool placeholder = false;
    SlotButtons nextRun;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_PRESHUTDOWN);
        placeholder = PreviewIsPlaceholder(d);
        nextRun = ReadSlotButtons(d);
    });
    EXPECT_TRUE(m_prompts.Order().empty());
    EXPECT_TRUE(placeholder);
    EXPECT_EQ(nextRun, (SlotButtons{false, false, false, false}));
}

TEST_F(MainDialogTest, BrowsedFileDeletedBeforeItIsShownIsForgotten)
{
    WriteSystemLogos();
    const Bytes shutDown = ReadBytes(ShutDownFile());
    WriteLogo(Picture("new.bmp"), 20);
    m_prompts.QueueFileDialogAnswer(Picture("new.bmp"));
    ApplyPair afterFailure;
    std::string pendingAfterFailure = "<unset>";
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_SHUTDOWN);
        ClickControl(d, res::IDC_BROWSE);
        std::filesystem::remove(Picture("new.bmp"));
        ClickControl(d, res::IDC_STARTUP);
        ClickControl(d, res::IDC_SHUTDOWN);
        afterFailure = ReadApplyPair(d);
        pendingAfterFailure = d.Pending()[2];
        ClickControl(d, res::IDC_APPLY);
    });
    EXPECT_EQ(MessagesShown(), std::vector<Shown>{CannotDisplay()});
    EXPECT_EQ(pendingAfterFailure, "");
    EXPECT_EQ(afterFailure, kChoicesWaiting) << "the failure to show leaves Apply as it was";
    EXPECT_EQ(ReadBytes(ShutDownFile()), shutDown);
}

TEST_F(MainDialogTest, SecondOpeningBrowsesIntoStartUpWhateverTheLastSlotWas)
{
    WriteSystemLogos();
    Run([](CMainDlg& d) { ClickControl(d, res::IDC_SHUTDOWN); });
    WriteLogo(Picture("next.bmp"), 30);
    m_prompts.QueueFileDialogAnswer(Picture("next.bmp"));
    std::vector<bool> pressed;
    Run([&](CMainDlg& d) {
        for (int id : {res::IDC_STARTUP, res::IDC_PRESHUTDOWN, res::IDC_SHUTDOWN})
            pressed.push_back(QueryControl(d, id).checked);
        ClickControl(d, res::IDC_BROWSE);
    });
    EXPECT_EQ(pressed, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(m_dialog.Pending()[0], Picture("next.bmp"));
    EXPECT_EQ(m_dialog.Pending()[2], "");
}

}  // namespace
}  // namespace appletui
