// The main dialog on the prefix's own logo files: where its controls stand,
// what the preview shows, and what Browse, Apply and Default Logo leave on
// the disk and in the registry.

#include "tests/win32/scenarios/ScenarioFixture.h"

#include "editor/CEditorPathDlg.h"
#include "platform/ui/CStatic.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

constexpr DWORD kVisibleBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

DWORD VisibleAttributes(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? attributes : attributes & kVisibleBits;
}

std::vector<logo::RgbQuad> PreviewTable(CMainDlg& dialog)
{
    const logo::Picture* shown = dialog.GetDlgItemAs<platform::CStatic>(res::IDC_PREVIEW)->GetBitmap();
    return shown != nullptr ? shown->colorTable : std::vector<logo::RgbQuad>{};
}

bool Enabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

using MainDialog = AppletScenario;

TEST_F(MainDialog, OpensOnThePrefixLogosWithItsControlsWhereTheTemplatePutsThem)
{
    WriteSystemLogos();
    std::string caption;
    std::vector<logo::RgbQuad> startUpTable;
    std::vector<logo::RgbQuad> preShutDownTable;
    HBITMAP previewBitmap = nullptr;
    RunMainDialog([&](HWND d) {
        char text[128] = {};
        ::GetWindowTextA(d, text, sizeof text);
        caption = text;
        ExpectControlsWhereTheTemplatePutsThem(d, res::MainDialogTemplate());
        startUpTable = PreviewTable(m_dialog);
        previewBitmap = reinterpret_cast<HBITMAP>(
            ::SendDlgItemMessageA(d, res::IDC_PREVIEW, STM_GETIMAGE, IMAGE_BITMAP, 0));
        Click(d, res::IDC_PRESHUTDOWN);
        preShutDownTable = PreviewTable(m_dialog);
        EXPECT_FALSE(Enabled(d, res::IDC_APPLY)) << "opening changes nothing";
    });
    EXPECT_EQ(caption, res::MainDialogTemplate().caption);
    EXPECT_EQ(startUpTable, testing_support::MakeVariedLogo(1).colorTable);
    EXPECT_EQ(preShutDownTable, testing_support::MakeVariedLogo(2).colorTable);
    EXPECT_NE(previewBitmap, nullptr) << "the preview shows its picture through STM_SETIMAGE";
}

TEST_F(MainDialog, BrowseThenApplyInstallsThePictureHiddenAndStoresItsPath)
{
    WriteSystemLogos();
    const Bytes startUp = ReadBytes(StartUpFile());
    const Bytes preShutDown = ReadBytes(PreShutDownFile());
    const Bytes chosen = WriteLogo(Picture("sunset.bmp"), 40);
    m_prompts.QueueFileDialogAnswer(Picture("sunset.bmp"));
    bool applyAfterBrowse = false;
    bool applyAfterApply = true;
    RunMainDialog([&](HWND d) {
        ASSERT_TRUE(Click(d, res::IDC_SHUTDOWN));
        ASSERT_TRUE(Click(d, res::IDC_BROWSE));
        applyAfterBrowse = Enabled(d, res::IDC_APPLY);
        ASSERT_TRUE(Click(d, res::IDC_APPLY));
        applyAfterApply = Enabled(d, res::IDC_APPLY);
    });
    EXPECT_TRUE(applyAfterBrowse);
    EXPECT_FALSE(applyAfterApply);
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());

    EXPECT_EQ(ReadBytes(ShutDownFile()), chosen);
    EXPECT_EQ(ReadBytes(PreShutDownFile()), preShutDown);
    EXPECT_EQ(ReadBytes(StartUpFile()), startUp);
    // Every logo file Apply leaves is hidden, as the system keeps its own;
    // the picture it came from is left as it was.
    for (const std::string& file : {StartUpFile(), PreShutDownFile(), ShutDownFile()})
        EXPECT_EQ(VisibleAttributes(file), DWORD{FILE_ATTRIBUTE_HIDDEN}) << file;
    EXPECT_EQ(VisibleAttributes(Picture("sunset.bmp")), 0u);

    const std::optional<RegistryValue> last = Stored("LastLogo", "path");
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->type, DWORD{REG_SZ});
    EXPECT_EQ(last->Text(), Picture("sunset.bmp"));
}

TEST_F(MainDialog, DefaultLogoThenApplyDeletesTheStartUpFile)
{
    WriteSystemLogos();
    const Bytes shutDown = ReadBytes(ShutDownFile());
    RunMainDialog([&](HWND d) {
        ASSERT_TRUE(Click(d, res::IDC_DEFAULT_LOGO));
        ASSERT_TRUE(Click(d, res::IDC_APPLY));
    });
    EXPECT_EQ(::GetFileAttributesA(StartUpFile().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadBytes(ShutDownFile()), shutDown);
    EXPECT_EQ(VisibleAttributes(ShutDownFile()), DWORD{FILE_ATTRIBUTE_HIDDEN});
}

TEST_F(MainDialog, RefusedPreShutDownImageIsStoredAsARegistryNumber)
{
    WriteLogo(StartUpFile(), 1);
    // The missing pre-shut-down file cannot be shown; then "Do you wish to
    // prevent lumivane from setting this image?": Yes.
    m_prompts.QueueMessageBoxAnswer(IDOK);
    m_prompts.QueueMessageBoxAnswer(IDYES);
    bool browseAfterYes = true;
    RunMainDialog([&](HWND d) {
        ASSERT_TRUE(Click(d, res::IDC_PRESHUTDOWN));
        browseAfterYes = Enabled(d, res::IDC_BROWSE);
    });
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 2u);
    EXPECT_EQ(m_prompts.MessageBoxes()[1].request.caption, "Pre-Shut Down Image");
    EXPECT_FALSE(browseAfterYes);
    const std::optional<RegistryValue> refused = Stored("PrShtDwn", "set");
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->type, DWORD{REG_DWORD});
    EXPECT_EQ(refused->Number(), 1u);
}

// Windows programs end in .exe: Browse offers programs and shortcuts, and
// no entry for all files as on Linux.
TEST_F(MainDialog, SetLogoEditorBrowseOffersProgramsAndShortcuts)
{
    CEditorPathDlg editorPath;
    m_prompts.QueueFileDialogCancel();
    m_script.When(editorPath, [&] { ASSERT_TRUE(Click(editorPath.GetSafeHwnd(), res::IDC_EDPATH_BROWSE)); });
    editorPath.DoModal();
    ASSERT_EQ(m_prompts.FileDialogs().size(), 1u);
    EXPECT_EQ(m_prompts.FileDialogs()[0].request.filter,
              "Executable Files (*.exe)|*.exe|ShortCut to executable file (*.lnk)|*.lnk||");
}

}  // namespace
}  // namespace scenario
