// The main dialog's file commands end to end on a drive C: Browse, Apply,
// Default Logo, Save Logo to File and Help, with the files and attributes
// they leave on disk and the Apply / Close pair.

#include "MainDialogFixture.h"
#include "common/Unprivileged.h"
#include "platform/ui/WinHelp.h"

#include <sys/stat.h>
#include <unistd.h>

namespace appletui {
namespace {

using platform::testing::ClickControl;
using platform::testing::QueryControl;

// --- The typical request ----------------------------------------------------------

TEST_F(MainDialogTest, ShutDownBrowseApplyInstallsTheChosenLogo)
{
    WriteSystemLogos();
    const Bytes startUp = ReadBytes(StartUpFile());
    const Bytes preShutDown = ReadBytes(PreShutDownFile());
    const Bytes chosen = WriteLogo(Picture("sunset.bmp"), 40);
    m_prompts.QueueFileDialogAnswer(Picture("sunset.bmp"));

    ApplyPair afterBrowse;
    ApplyPair afterApply;
    std::string pendingAfterBrowse;
    std::vector<logo::RgbQuad> previewTable;
    bool shutDownPressed = false;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_SHUTDOWN);
        ClickControl(d, res::IDC_BROWSE);
        afterBrowse = ReadApplyPair(d);
        pendingAfterBrowse = d.Pending()[2];
        previewTable = PreviewTable(d);
        shutDownPressed = QueryControl(d, res::IDC_SHUTDOWN).checked;
        ClickControl(d, res::IDC_APPLY);
        afterApply = ReadApplyPair(d);
    });

    EXPECT_EQ(afterBrowse, kChoicesWaiting);
    EXPECT_EQ(pendingAfterBrowse, Picture("sunset.bmp"));
    EXPECT_EQ(Stored("LastLogo", "path"), Picture("sunset.bmp"));
    EXPECT_EQ(previewTable, testing_support::MakeVariedLogo(40).colorTable);
    EXPECT_TRUE(shutDownPressed);
    EXPECT_EQ(afterApply, kNothingWaiting);
    EXPECT_EQ(m_dialog.Pending(), (PendingSources{"", "", ""}));
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());

    EXPECT_EQ(ReadBytes(ShutDownFile()), chosen);
    EXPECT_EQ(ReadBytes(PreShutDownFile()), preShutDown);
    EXPECT_EQ(ReadBytes(StartUpFile()), startUp);
    if (HiddenBitKept()) {
        for (const char* file : {"C:\\logo.sys", "C:\\WINDOWS\\logow.sys", "C:\\WINDOWS\\logos.sys"})
            EXPECT_EQ(platform::GetFileAttributesA(file), FILE_ATTRIBUTE_HIDDEN) << file;
    }
}

TEST_F(MainDialogTest, BrowseAsksWithTheStoredFolderAndTheLogoFilter)
{
    Settings().WriteString("LastLogo", "path", "/home/u/logos/last.bmp");
    m_prompts.QueueFileDialogCancel();
    Run([](CMainDlg& d) { ClickControl(d, res::IDC_BROWSE); });
    ASSERT_EQ(m_prompts.FileDialogs().size(), 1u);
    const platform::FileDialogRequest& asked = m_prompts.FileDialogs()[0].request;
    EXPECT_EQ(asked.mode, platform::FileDialogMode::Open);
    EXPECT_EQ(asked.title, "Select Logo...");
    EXPECT_EQ(asked.filter,
              "Bitmap Files|*.bmp;*.sys|All Pictures|*.png;*.jpg;*.jpeg;*.gif;*.webp;*.tif;*.tiff;*.bmp;*.sys||");
    EXPECT_EQ(asked.defaultExtension, "");
    EXPECT_EQ(asked.initialDirectory, "/home/u/logos/last.bmp");
    EXPECT_EQ(asked.flags, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    EXPECT_NE(asked.owner, nullptr);
    // Cancelled: nothing changed.
    EXPECT_EQ(m_dialog.Pending()[0], "Default");
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
}

struct RefusedCase {
    const char* name;
    std::function<void(const std::string&)> write;
};

class MainDialogBrowseRefusalTest : public MainDialogTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(MainDialogBrowseRefusalTest, RefusesAFileThatIsNotALogo)
{
    WriteSystemLogos();
    GetParam().write(Picture("candidate.bmp"));
    m_prompts.QueueFileDialogAnswer(Picture("candidate.bmp"));
    ApplyPair pair;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_BROWSE);
        pair = ReadApplyPair(d);
    });
    EXPECT_EQ(MessagesShown(), (std::vector<Shown>{{"The selected file is not a logo.", "Error",
                                                    platform::MessageBoxIcon::Exclamation,
                                                    platform::MessageBoxButtons::Ok}}));
    EXPECT_EQ(pair, kNothingWaiting);
    EXPECT_EQ(m_dialog.Pending(), (PendingSources{"", "", ""}));
    EXPECT_EQ(Stored("LastLogo", "path"), "<absent>");
}

INSTANTIATE_TEST_SUITE_P(
    Files, MainDialogBrowseRefusalTest,
    ::testing::Values(
        RefusedCase{"FourBitLogoSize", [](const std::string& p) { WriteBitmap(p, 320, 400, 4); }},
        RefusedCase{"EightBit640x480", [](const std::string& p) { WriteBitmap(p, 640, 480, 8); }},
        RefusedCase{"NotABitmap", [](const std::string& p) { WriteBytes(p, Bytes(5000, 'x')); }},
        RefusedCase{"LogoHeadersOverBrokenRunLengths",
                    [](const std::string& p) { WriteBytes(p, testing_support::MakeBrokenRle8Logo()); }}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST_F(MainDialogTest, EscapeDropsChoicesAndTheNextOpeningShowsTheSystemFiles)
{
    WriteSystemLogos();
    const Bytes shutDown = ReadBytes(ShutDownFile());
    WriteLogo(Picture("other.bmp"), 41);
    m_prompts.QueueFileDialogAnswer(Picture("other.bmp"));
    Run([](CMainDlg& d) {
        ClickControl(d, res::IDC_SHUTDOWN);
        ClickControl(d, res::IDC_BROWSE);
        platform::testing::SendKey(d, VK_ESCAPE);
    });
    EXPECT_EQ(ReadBytes(ShutDownFile()), shutDown);
    std::vector<logo::RgbQuad> table;
    ApplyPair pair;
    Run([&](CMainDlg& d) {
        pair = ReadApplyPair(d);
        ClickControl(d, res::IDC_SHUTDOWN);
        table = PreviewTable(d);
    });
    EXPECT_EQ(pair, kNothingWaiting);
    EXPECT_EQ(m_dialog.Pending(), (PendingSources{"", "", ""}));
    EXPECT_EQ(table, testing_support::MakeVariedLogo(3).colorTable);
}

// --- Default Logo and the StartUp marker --------------------------------------------

TEST_F(MainDialogTest, StartUpDefaultThenApplyDeletesTheStartUpFile)
{
    WriteSystemLogos();
    const Bytes preShutDown = ReadBytes(PreShutDownFile());
    ApplyPair afterDefault;
    SlotButtons buttonsAfterDefault;
    ApplyPair afterApply;
    bool placeholder = false;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_DEFAULT_LOGO);
        afterDefault = ReadApplyPair(d);
        buttonsAfterDefault = ReadSlotButtons(d);
        ClickControl(d, res::IDC_APPLY);
        afterApply = ReadApplyPair(d);
        ClickControl(d, res::IDC_STARTUP);
        placeholder = PreviewIsPlaceholder(d);
    });
    EXPECT_EQ(afterDefault, kChoicesWaiting);
    EXPECT_EQ(buttonsAfterDefault, (SlotButtons{true, false, false, false}));
    EXPECT_EQ(afterApply, kNothingWaiting);
    EXPECT_FALSE(std::filesystem::exists(StartUpFile()));
    EXPECT_EQ(m_dialog.Pending(), (PendingSources{"Default", "", ""})) << "the marker survives Apply";
    EXPECT_TRUE(placeholder);
    EXPECT_EQ(ReadBytes(PreShutDownFile()), preShutDown);
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
}

TEST_F(MainDialogTest, UndecodableStartUpFileSurvivesAnApplyOfAnotherSlot)
{
    Bytes undecodable(300, 0x42);
    undecodable[0] = 'B';
    undecodable[1] = 'M';
    WriteBytes(StartUpFile(), undecodable);
    WriteLogo(PreShutDownFile(), 2);
    WriteLogo(ShutDownFile(), 3);
    const Bytes chosen = WriteLogo(Picture("dusk.bmp"), 42);
    m_prompts.QueueFileDialogAnswer(Picture("dusk.bmp"));
    Run([](CMainDlg& d) {
        ClickControl(d, res::IDC_SHUTDOWN);
        ClickControl(d, res::IDC_BROWSE);
        ClickControl(d, res::IDC_APPLY);
    });
    EXPECT_EQ(ReadBytes(StartUpFile()), undecodable);
    EXPECT_EQ(ReadBytes(ShutDownFile()), chosen);
}

TEST_F(MainDialogTest, DefaultLogoOnPreShutDownInstallsTheDefaultPicture)
{
    WriteSystemLogos();
    const Bytes shipped = WriteLogo(DefaultFolder() + "/PRSHTDWN.DAT", 50);
    std::string pending;
    std::vector<logo::RgbQuad> table;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_PRESHUTDOWN);
        ClickControl(d, res::IDC_DEFAULT_LOGO);
        pending = d.Pending()[1];
        table = PreviewTable(d);
        ClickControl(d, res::IDC_APPLY);
    });
    EXPECT_EQ(pending, "C:\\program files\\plus!\\themes\\lumivane\\default\\prshtdwn.dat");
    EXPECT_EQ(table, testing_support::MakeVariedLogo(50).colorTable);
    EXPECT_EQ(ReadBytes(PreShutDownFile()), shipped);
}

TEST_F(MainDialogTest, MissingDefaultShutDownPictureIsReportedAndApplyStaysEnabled)
{
    WriteSystemLogos();
    ApplyPair pair;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_SHUTDOWN);
        ClickControl(d, res::IDC_DEFAULT_LOGO);
        pair = ReadApplyPair(d);
    });
    EXPECT_EQ(MessagesShown(), std::vector<Shown>{CannotDisplay()});
    EXPECT_EQ(m_dialog.Pending()[2], "");
    EXPECT_EQ(pair, kChoicesWaiting);
}

// --- Apply that cannot finish -------------------------------------------------------

TEST_F(MainDialogTest, ApplyReportsTargetsItCouldNotChangeAndKeepsThem)
{
    WriteSystemLogos();
    const Bytes shutDown = ReadBytes(ShutDownFile());
    const Bytes preShutDown = WriteLogo(Picture("pre.bmp"), 43);
    const Bytes gone = WriteLogo(Picture("gone.bmp"), 44);
    m_prompts.QueueFileDialogAnswer(Picture("pre.bmp"));
    m_prompts.QueueFileDialogAnswer(Picture("gone.bmp"));
    ApplyPair afterFailure;
    ApplyPair afterRetry;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_PRESHUTDOWN);
        ClickControl(d, res::IDC_BROWSE);
        ClickControl(d, res::IDC_SHUTDOWN);
        ClickControl(d, res::IDC_BROWSE);
        std::filesystem::remove(Picture("gone.bmp"));
        ClickControl(d, res::IDC_APPLY);
        afterFailure = ReadApplyPair(d);
        // The user puts the file back and tries again.
        WriteLogo(Picture("gone.bmp"), 44);
        ClickControl(d, res::IDC_APPLY);
        afterRetry = ReadApplyPair(d);
    });
    EXPECT_EQ(MessagesShown(), (std::vector<Shown>{{"The following logo files could not be changed:\n"
                                                    "C:\\WINDOWS\\Logos.sys",
                                                    "Error", platform::MessageBoxIcon::Stop,
                                                    platform::MessageBoxButtons::Ok}}));
    EXPECT_EQ(afterFailure, kChoicesWaiting);
    EXPECT_EQ(afterRetry, kNothingWaiting);
    EXPECT_EQ(ReadBytes(PreShutDownFile()), preShutDown);
    EXPECT_EQ(ReadBytes(ShutDownFile()), gone);
    EXPECT_NE(gone, shutDown);
}

TEST_F(MainDialogTest, ApplyIntoAReadOnlyWindowsFolderIsReported)
{
    WriteSystemLogos();
    const Bytes shutDown = ReadBytes(ShutDownFile());
    WriteLogo(Picture("ro.bmp"), 45);
    m_prompts.QueueFileDialogAnswer(Picture("ro.bmp"));
    ApplyPair pair;
    bool unprivileged = true;
    std::string why;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_SHUTDOWN);
        ClickControl(d, res::IDC_BROWSE);
        const testing_support::Unprivileged user(Drive());
        unprivileged = user.Active();
        why = user.Why();
        chmod((Drive() / "WINDOWS").c_str(), 0555);
        ClickControl(d, res::IDC_APPLY);
        chmod((Drive() / "WINDOWS").c_str(), 0755);
        pair = ReadApplyPair(d);
    });
    if (!unprivileged)
        GTEST_SKIP() << why;
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.text,
              "The following logo files could not be changed:\nC:\\WINDOWS\\Logos.sys");
    EXPECT_EQ(pair, kChoicesWaiting);
    EXPECT_EQ(ReadBytes(ShutDownFile()), shutDown);
}

TEST_F(MainDialogTest, ApplyOverATargetThatCannotBeReplacedIsReported)
{
    // Works as root too: a folder stands where the shut-down file should be.
    WriteLogo(StartUpFile(), 1);
    std::filesystem::create_directories(ShutDownFile());
    WriteLogo(Picture("blocked.bmp"), 46);
    m_prompts.QueueFileDialogAnswer(Picture("blocked.bmp"));
    m_prompts.QueueMessageBoxAnswer(IDOK);  // the folder cannot be shown
    ApplyPair pair;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_SHUTDOWN);
        ClickControl(d, res::IDC_BROWSE);
        ClickControl(d, res::IDC_APPLY);
        pair = ReadApplyPair(d);
    });
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 2u);
    EXPECT_EQ(m_prompts.MessageBoxes()[1].request.text,
              "The following logo files could not be changed:\nC:\\WINDOWS\\Logos.sys");
    EXPECT_EQ(pair, kChoicesWaiting);
    EXPECT_EQ(m_dialog.Pending()[2], Picture("blocked.bmp"));
    EXPECT_TRUE(std::filesystem::is_directory(ShutDownFile()));
}

// --- Save Logo to File ------------------------------------------------------------------

struct SaveCase {
    const char* name;
    bool browseFirst;    // a pending source for Shut Down
    const char* expect;  // "system", "pending"
};

class MainDialogSaveTest : public MainDialogTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(MainDialogSaveTest, SavesACopyOfTheEffectiveFile)
{
    const SaveCase& c = GetParam();
    WriteSystemLogos();
    platform::SetFileAttributesA("C:\\WINDOWS\\logos.sys", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const Bytes pending = WriteLogo(Picture("pending.bmp"), 47);
    if (c.browseFirst)
        m_prompts.QueueFileDialogAnswer(Picture("pending.bmp"));
    const std::string target = (Root() / "saved" / "copy.bmp").string();
    std::filesystem::create_directories(Root() / "saved");
    m_prompts.QueueFileDialogAnswer(target);
    ApplyPair before;
    ApplyPair after;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_SHUTDOWN);
        if (c.browseFirst)
            ClickControl(d, res::IDC_BROWSE);
        before = ReadApplyPair(d);
        ClickControl(d, res::IDC_SAVE_LOGO);
        after = ReadApplyPair(d);
    });
    const Bytes expected = std::string(c.expect) == "pending" ? pending : ReadBytes(ShutDownFile());
    EXPECT_EQ(ReadBytes(target), expected);
    EXPECT_EQ(platform::GetFileAttributesA(target), FILE_ATTRIBUTE_NORMAL) << "a saved copy is an ordinary file";
    EXPECT_EQ(after, before) << "saving changes nothing on screen";
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());

    const platform::FileDialogRequest& asked = m_prompts.FileDialogs().back().request;
    EXPECT_EQ(asked.mode, platform::FileDialogMode::Save);
    EXPECT_EQ(asked.title, "Save Logo As...");
    EXPECT_EQ(asked.filter, "Bitmap Files (*.bmp)|*.bmp||");
    EXPECT_EQ(asked.defaultExtension, ".bmp");
    EXPECT_EQ(asked.initialDirectory, "");
    EXPECT_EQ(asked.initialFileName, "");
    EXPECT_EQ(asked.flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN);
}

INSTANTIATE_TEST_SUITE_P(Sources, MainDialogSaveTest,
                         ::testing::Values(SaveCase{"SystemFile", false, "system"},
                                           SaveCase{"PendingSource", true, "pending"}),
                         [](const ::testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.name); });

TEST_F(MainDialogTest, SavingOntoItsOwnSourceFailsWithAMessage)
{
    WriteSystemLogos();
    const Bytes shutDown = ReadBytes(ShutDownFile());
    m_prompts.QueueFileDialogAnswer(ShutDownFile());
    Run([](CMainDlg& d) {
        ClickControl(d, res::IDC_SHUTDOWN);
        ClickControl(d, res::IDC_SAVE_LOGO);
    });
    EXPECT_EQ(MessagesShown(), (std::vector<Shown>{{"The file could not be saved.", "Error",
                                                    platform::MessageBoxIcon::Stop, platform::MessageBoxButtons::Ok}}));
    EXPECT_EQ(ReadBytes(ShutDownFile()), shutDown);
}

TEST_F(MainDialogTest, CancelledSaveWritesNothing)
{
    WriteSystemLogos();
    m_prompts.QueueFileDialogCancel();
    Run([](CMainDlg& d) { ClickControl(d, res::IDC_SAVE_LOGO); });
    EXPECT_EQ(m_prompts.FileDialogs().size(), 1u);
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
}

// --- Help ---------------------------------------------------------------------------------

TEST_F(MainDialogTest, HelpOpensTheHelpFileOfTheWindowsFolder)
{
    WriteSystemLogos();
    WriteFile(Drive() / "WINDOWS" / "HELP" / "LUMVA.HLP", "# Lumivane Help\n\nPick a slot, then Browse.\n");
    std::optional<platform::HelpViewerState> viewer;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_HELP);
        viewer = platform::OpenHelpViewer();
        platform::CloseHelpViewer();
    });
    ASSERT_TRUE(viewer.has_value());
    EXPECT_EQ(viewer->hostPath, (Drive() / "WINDOWS" / "HELP" / "LUMVA.HLP").string());
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
}

TEST_F(MainDialogTest, HelpWithoutTheFileIsReportedByTheViewerAlone)
{
    WriteSystemLogos();
    WriteLogo(Picture("kept.bmp"), 48);
    m_prompts.QueueFileDialogAnswer(Picture("kept.bmp"));
    m_prompts.QueueMessageBoxAnswer(IDOK);
    ApplyPair before;
    ApplyPair after;
    SlotButtons buttonsBefore;
    SlotButtons buttonsAfter;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_BROWSE);
        before = ReadApplyPair(d);
        buttonsBefore = ReadSlotButtons(d);
        ClickControl(d, res::IDC_HELP);
        after = ReadApplyPair(d);
        buttonsAfter = ReadSlotButtons(d);
    });
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.caption, "Help");
    EXPECT_NE(m_prompts.MessageBoxes()[0].request.text.find("C:\\WINDOWS\\help\\lumva.hlp"), std::string::npos);
    EXPECT_EQ(after, before);
    EXPECT_EQ(buttonsAfter, buttonsBefore);
    EXPECT_EQ(m_dialog.Pending()[0], Picture("kept.bmp"));
    EXPECT_FALSE(platform::OpenHelpViewer().has_value());
}

}  // namespace
}  // namespace appletui
