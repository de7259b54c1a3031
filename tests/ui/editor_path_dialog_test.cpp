// CEditorPathDlg: its combo box, Browse, the checks at OK and the pair of
// settings a valid OK writes.

#include "AppletUiFixture.h"
#include "common/ShellLinkBytes.h"
#include "common/TestFiles.h"
#include "editor/CEditorPathDlg.h"
#include "platform/ui/CComboBox.h"
#include "resources/ResourceIds.h"

#include <string>
#include <vector>

namespace appletui {
namespace {

using platform::testing::ClickControl;
using platform::testing::ScopedModalHook;

struct ComboView {
    std::vector<std::string> entries;
    int selection = -2;
    std::string text;
};

ComboView ViewCombo(platform::CDialog& dialog)
{
    ComboView view;
    auto* combo = dialog.GetDlgItemAs<platform::CComboBox>(res::IDC_EDPATH_COMBO);
    if (combo == nullptr)
        return view;
    for (int i = 0; i < combo->GetCount(); ++i)
        view.entries.push_back(combo->GetLBText(i));
    view.selection = combo->GetCurSel();
    view.text = combo->GetWindowText();
    return view;
}

class EditorPathDialogTest : public AppletUiTest {
protected:
    // Runs the dialog on path; during the run, drive does what the user does.
    int Run(const std::string& path, const std::function<void(platform::CDialog&)>& drive)
    {
        CEditorPathDlg dialog;
        dialog.m_path = path;
        ScopedModalHook hook(res::IDD_EDITOR_PATH, drive);
        return dialog.DoModal();
    }

    // Types text into the combo box and presses OK.
    static void EnterAndConfirm(platform::CDialog& dialog, const std::string& text)
    {
        dialog.SetDlgItemText(res::IDC_EDPATH_COMBO, text);
        ClickControl(dialog, IDOK);
    }

    std::string MakeProgram(const std::string& name)
    {
        const auto path = Root() / name;
        WriteFile(path, "#!/bin/sh\n");
        return path.string();
    }
};

TEST_F(EditorPathDialogTest, ComboOffersThePathThenAnEmptyPreviousPath)
{
    ComboView view;
    Run("C:\\WINDOWS\\pbrush.exe", [&](platform::CDialog& d) {
        view = ViewCombo(d);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(view.entries, (std::vector<std::string>{"C:\\WINDOWS\\pbrush.exe", ""}));
    EXPECT_EQ(view.selection, 0);
    EXPECT_EQ(view.text, "C:\\WINDOWS\\pbrush.exe");
}

TEST_F(EditorPathDialogTest, ComboOffersTheStoredPreviousPathSecondEvenWhenEqual)
{
    Settings().WriteString("LogoEditor", "prvpath", "/usr/bin/gimp");
    ComboView view;
    Run("/usr/bin/gimp", [&](platform::CDialog& d) {
        view = ViewCombo(d);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(view.entries, (std::vector<std::string>{"/usr/bin/gimp", "/usr/bin/gimp"}));
    EXPECT_EQ(view.selection, 0);
}

TEST_F(EditorPathDialogTest, EmptyPathSelectsTheFirstEntry)
{
    Settings().WriteString("LogoEditor", "prvpath", "C:\\old.exe");
    ComboView view;
    Run("", [&](platform::CDialog& d) {
        view = ViewCombo(d);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(view.entries, (std::vector<std::string>{"", "C:\\old.exe"}));
    EXPECT_EQ(view.selection, 0);
    EXPECT_EQ(view.text, "");
}

struct RefusedPath {
    const char* name;
    const char* typed;
    const char* message;
};

class EditorPathRefusalTest : public EditorPathDialogTest, public ::testing::WithParamInterface<RefusedPath> {};

TEST_P(EditorPathRefusalTest, OkShowsTheErrorKeepsTheDialogOpenAndStoresNothing)
{
    bool stillOpen = false;
    const int result = Run("C:\\WINDOWS\\pbrush.exe", [&](platform::CDialog& d) {
        EnterAndConfirm(d, GetParam().typed);
        stillOpen = d.IsWindowVisible() != FALSE;
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    const platform::MessageBoxRequest& box = m_prompts.MessageBoxes()[0].request;
    EXPECT_EQ(box.text, GetParam().message);
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.type, MB_OK | MB_ICONHAND);
    EXPECT_NE(box.owner, nullptr);
    EXPECT_EQ(Stored("LogoEditor", "path"), "<absent>");
    EXPECT_EQ(Stored("LogoEditor", "prvpath"), "<absent>");
}

INSTANTIATE_TEST_SUITE_P(
    Checks, EditorPathRefusalTest,
    ::testing::Values(
        RefusedPath{"Empty", "", "Please specify the path of a bitmap editor like Ms-Paint."},
        RefusedPath{"MissingFile", "C:\\WINDOWS\\nothere.exe", "The specified file or path does not exist."},
        RefusedPath{"MissingHostFile", "/nonexistent/lumivane/editor", "The specified file or path does not exist."},
        RefusedPath{"OnlyBlanksIsNotEmptyButMissing", "   ", "The specified file or path does not exist."}),
    [](const ::testing::TestParamInfo<RefusedPath>& info) { return std::string(info.param.name); });

TEST_F(EditorPathDialogTest, FirstChangeEverStoresEmptyPreviousAndTheNewPath)
{
    const std::string editor = MakeProgram("paint.sh");
    const int result = Run("C:\\WINDOWS\\pbrush.exe", [&](platform::CDialog& d) { EnterAndConfirm(d, editor); });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
    EXPECT_EQ(Stored("LogoEditor", "prvpath"), "");
    EXPECT_EQ(Stored("LogoEditor", "path"), editor);
}

TEST_F(EditorPathDialogTest, TwoChangesLeaveTheFirstInPreviousAndTheSecondInPath)
{
    const std::string first = MakeProgram("first.sh");
    const std::string second = MakeProgram("second.sh");
    Run("", [&](platform::CDialog& d) { EnterAndConfirm(d, first); });
    Run(first, [&](platform::CDialog& d) { EnterAndConfirm(d, second); });
    EXPECT_EQ(Stored("LogoEditor", "prvpath"), first);
    EXPECT_EQ(Stored("LogoEditor", "path"), second);
}

TEST_F(EditorPathDialogTest, ConfirmingTheSamePathAgainStoresItTwice)
{
    const std::string editor = MakeProgram("same.sh");
    Run("", [&](platform::CDialog& d) { EnterAndConfirm(d, editor); });
    Run(editor, [&](platform::CDialog& d) { ClickControl(d, IDOK); });
    EXPECT_EQ(Stored("LogoEditor", "prvpath"), editor);
    EXPECT_EQ(Stored("LogoEditor", "path"), editor);
}

TEST_F(EditorPathDialogTest, PathWithBlanksIsStoredVerbatimWithoutTrimmingOrQuotes)
{
    const std::string editor = MakeProgram("my editor/run it ");
    Run("", [&](platform::CDialog& d) { EnterAndConfirm(d, editor); });
    EXPECT_EQ(Stored("LogoEditor", "path"), editor);
}

TEST_F(EditorPathDialogTest, WindowsPathOnTheDriveIsAccepted)
{
    WriteFile(Drive() / "Program Files" / "Paint" / "PAINT.EXE", "MZ");
    Run("", [&](platform::CDialog& d) { EnterAndConfirm(d, "C:\\program files\\paint\\paint.exe"); });
    EXPECT_EQ(Stored("LogoEditor", "path"), "C:\\program files\\paint\\paint.exe");
}

TEST_F(EditorPathDialogTest, FolderPassesTheExistenceTest)
{
    Run("", [&](platform::CDialog& d) { EnterAndConfirm(d, "C:\\WINDOWS"); });
    EXPECT_EQ(Stored("LogoEditor", "path"), "C:\\WINDOWS");
}

TEST_F(EditorPathDialogTest, CancelAfterTypingStoresNothing)
{
    Settings().WriteString("LogoEditor", "path", "C:\\kept.exe");
    const std::string editor = MakeProgram("typed.sh");
    const int result = Run("C:\\kept.exe", [&](platform::CDialog& d) {
        d.SetDlgItemText(res::IDC_EDPATH_COMBO, editor);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Stored("LogoEditor", "path"), "C:\\kept.exe");
    EXPECT_EQ(Stored("LogoEditor", "prvpath"), "<absent>");
}

TEST_F(EditorPathDialogTest, BrowseAsksForAnEditorAndFillsTheCombo)
{
    const std::string chosen = MakeProgram("gimp");
    m_prompts.QueueFileDialogAnswer(chosen, 2);
    ComboView view;
    Run("C:\\WINDOWS\\pbrush.exe", [&](platform::CDialog& d) {
        ClickControl(d, res::IDC_EDPATH_BROWSE);
        view = ViewCombo(d);
        ClickControl(d, IDOK);
    });
    ASSERT_EQ(m_prompts.FileDialogs().size(), 1u);
    const platform::FileDialogRecord& asked = m_prompts.FileDialogs()[0];
    EXPECT_EQ(asked.request.mode, platform::FileDialogMode::Open);
    EXPECT_EQ(asked.request.title, "Select a Logo Editor");
    EXPECT_EQ(asked.request.filter,
              "Executable Files (*.exe)|*.exe|ShortCut to executable file (*.lnk)|*.lnk|All Files (*)|*||");
    EXPECT_EQ(asked.request.defaultExtension, "*.exe");
    EXPECT_EQ(asked.request.initialFileName, "");
    EXPECT_EQ(asked.request.initialDirectory, "");
    EXPECT_EQ(asked.request.flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    ASSERT_EQ(asked.filters.size(), 3u);
    EXPECT_EQ(view.text, chosen);
    EXPECT_EQ(view.entries.size(), 2u) << "Browse adds no entry";
    EXPECT_EQ(Stored("LogoEditor", "path"), chosen);
}

// Browse with a shortcut chosen: the combo box shows what it resolves to.
struct ShortcutCase {
    const char* name;
    testing_support::ShellLinkSpec link;
    const char* linkFile;  // relative to the test's root folder
    const char* expected;  // relative to the root; "" for the shortcut itself
};

void PrintTo(const ShortcutCase& c, std::ostream* os)
{
    *os << c.name;
}

class EditorPathShortcut : public EditorPathDialogTest, public ::testing::WithParamInterface<ShortcutCase> {};

TEST_P(EditorPathShortcut, BrowseGivesTheProgramTheShortcutPointsTo)
{
    const ShortcutCase& c = GetParam();
    WriteFile(Drive() / "Program Files" / "Paint" / "PAINT.EXE", "MZ");
    WriteFile(Root() / "tools" / "edit", "#!/bin/sh\n");
    const std::filesystem::path link = Root() / c.linkFile;
    std::filesystem::create_directories(link.parent_path());
    testing_support::WriteAll(link.string(), testing_support::ShellLinkBytes::Build(c.link));
    m_prompts.QueueFileDialogAnswer(link.string(), 2);
    ComboView view;
    Run("C:\\WINDOWS\\pbrush.exe", [&](platform::CDialog& d) {
        ClickControl(d, res::IDC_EDPATH_BROWSE);
        view = ViewCombo(d);
        ClickControl(d, IDCANCEL);
    });
    const std::string expected = std::string(c.expected).empty() ? link.string() : (Root() / c.expected).string();
    EXPECT_EQ(view.text, expected);
}

testing_support::ShellLinkSpec LocalLink(const char* base, const char* suffix = "")
{
    testing_support::ShellLinkSpec link;
    link.localBase = base;
    link.suffix = suffix;
    return link;
}

testing_support::ShellLinkSpec RelativeLink(const char* relative)
{
    testing_support::ShellLinkSpec link;
    link.relative = relative;
    return link;
}

testing_support::ShellLinkSpec NamedLink(const char* name)
{
    testing_support::ShellLinkSpec link;
    link.name = name;
    return link;
}

INSTANTIATE_TEST_SUITE_P(
    Links, EditorPathShortcut,
    ::testing::Values(ShortcutCase{"LocalPathOnTheDrive", LocalLink("C:\\PROGRAM FILES\\PAINT\\", "paint.exe"),
                                   "desk/Paint.lnk", "drive_c/Program Files/Paint/PAINT.EXE"},
                      ShortcutCase{"RelativePath", RelativeLink("..\\tools\\edit"), "links/Edit.LNK", "tools/edit"},
                      ShortcutCase{"DriveNotInTheTable", LocalLink("Q:\\PAINT.EXE"), "desk/q.lnk", ""},
                      ShortcutCase{"NoTarget", NamedLink("Paint"), "desk/empty.lnk", ""}),
    [](const ::testing::TestParamInfo<ShortcutCase>& info) { return std::string(info.param.name); });

TEST_F(EditorPathDialogTest, BrowseKeepsAFileThatIsNoShortcutAsChosen)
{
    const std::string chosen = (Root() / "garbage.lnk").string();
    WriteFile(chosen, "not a shortcut at all");
    m_prompts.QueueFileDialogAnswer(chosen, 2);
    ComboView view;
    Run("", [&](platform::CDialog& d) {
        ClickControl(d, res::IDC_EDPATH_BROWSE);
        view = ViewCombo(d);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(view.text, chosen);
}

TEST_F(EditorPathDialogTest, CancelledBrowseChangesNothing)
{
    m_prompts.QueueFileDialogCancel();
    ComboView view;
    Run("C:\\WINDOWS\\pbrush.exe", [&](platform::CDialog& d) {
        ClickControl(d, res::IDC_EDPATH_BROWSE);
        view = ViewCombo(d);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(view.text, "C:\\WINDOWS\\pbrush.exe");
    EXPECT_EQ(view.selection, 0);
}

}  // namespace
}  // namespace appletui
