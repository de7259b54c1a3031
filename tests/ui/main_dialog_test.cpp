// CMainDlg: its template and opening state, its tooltips,
// Set Logo Editor, New Logo and About, and closing.

#include "AppletUiFixture.h"
#include "platform/qt/HwndWidget.h"
#include "resources/ResourceIds.h"
#include "ui/main/CMainDlg.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>
#include <functional>
#include <optional>

namespace appletui {
namespace {

using platform::testing::ClickControl;
using platform::testing::QueryControl;
using platform::testing::ScopedModalHook;

class MainDialogShellTest : public AppletUiTest {
protected:
    int Run(const std::function<void(platform::CDialog&)>& drive)
    {
        ScopedModalHook hook(res::IDD_MAIN, drive);
        return m_dialog.DoModal();
    }

    // The editor path Set Logo Editor offers, its dialog cancelled.
    static std::string EditorPathOffered(platform::CDialog& d)
    {
        std::string offered;
        ScopedModalHook box(res::IDD_EDITOR_PATH, [&](platform::CDialog& editorPath) {
            offered = editorPath.GetDlgItemText(res::IDC_EDPATH_COMBO);
            ClickControl(editorPath, IDCANCEL);
        });
        ClickControl(d, res::IDC_SET_LOGO_EDITOR);
        return offered;
    }

    CMainDlg m_dialog;
};

TEST_F(MainDialogShellTest, OpensWithTheDefaultEditorAndTheSystemLocations)
{
    bool startUpPressed = false;
    bool applyEnabled = true;
    std::string closeCaption;
    std::string editor;
    const int result = Run([&](platform::CDialog& d) {
        startUpPressed = QueryControl(d, res::IDC_STARTUP).checked;
        applyEnabled = QueryControl(d, res::IDC_APPLY).enabled;
        closeCaption = QueryControl(d, IDCANCEL).text;
        editor = EditorPathOffered(d);
        ClickControl(d, res::IDC_NEW_LOGO);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    // The default editor lies in the Windows folder, the template New Logo
    // looks for in the system folder.
    EXPECT_EQ(editor, "C:\\WINDOWS\\pbrush.exe");
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    EXPECT_NE(m_prompts.MessageBoxes()[0].request.text.find(" C:\\WINDOWS\\SYSTEM\\new.tpl "), std::string::npos);
    EXPECT_TRUE(startUpPressed);
    EXPECT_FALSE(applyEnabled);
    EXPECT_EQ(closeCaption, "&Close");
}

TEST_F(MainDialogShellTest, OpensWithTheStoredEditor)
{
    Settings().WriteString("LogoEditor", "path", "/usr/bin/gimp");
    std::string editor;
    Run([&](platform::CDialog& d) {
        editor = EditorPathOffered(d);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(editor, "/usr/bin/gimp");
}

TEST_F(MainDialogShellTest, ShowsEveryControlOfItsTemplate)
{
    std::vector<int> missing;
    Run([&](platform::CDialog& d) {
        for (int id : {1000, 1001, 1002, 1003, 2, 7, 8, 3, 5, 11, 9, 10, 1004, 4}) {
            if (!QueryControl(d, id).exists)
                missing.push_back(id);
        }
        ClickControl(d, IDCANCEL);
    });
    EXPECT_TRUE(missing.empty());
}

TEST_F(MainDialogShellTest, CaptionCarriesTheAppletIconAsItsSmallIcon)
{
    std::vector<int> sizes;
    Run([&](platform::CDialog& d) {
        sizes = platform::testing::WindowIconSizes(d);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), 16), sizes.end());
}

struct Tip {
    int control;
    const char* text;  // nullptr: no tooltip
};

class MainDialogShellTooltipTest : public MainDialogShellTest, public ::testing::WithParamInterface<Tip> {};

TEST_P(MainDialogShellTooltipTest, ControlShowsItsTooltip)
{
    std::optional<std::string> tip;
    Run([&](platform::CDialog& d) {
        tip = platform::testing::ToolTipText(d, GetParam().control);
        ClickControl(d, IDCANCEL);
    });
    if (GetParam().text == nullptr) {
        EXPECT_FALSE(tip.has_value());
    } else {
        ASSERT_TRUE(tip.has_value());
        EXPECT_EQ(*tip, GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, MainDialogShellTooltipTest,
    ::testing::Values(Tip{1000, "Shows the currently selected Start Up Logo"},
                      Tip{1001, "Shows the currently selected Pre-Shut Down Logo"},
                      Tip{1002, "Shows the currently selected Shut Down Logo"},
                      Tip{1003, "Applies currently selected logos to windows"},
                      Tip{2, "Closes Lumivane and discards any unapplied logos"}, Tip{7, "Browse for a new logo"},
                      Tip{8, "Resets the current logo to the default"}, Tip{3, "Opens a new blank logo"},
                      Tip{4, "Displays options for animating the current logo"},
                      Tip{5, "Allows you to specify the program used to create new logos"},
                      Tip{11, "Saves the current logo as a bitmap file"}, Tip{9, "Displays the Help file for Lumivane"},
                      Tip{10, "Displays information about Lumivane"}, Tip{1004, nullptr}),
    [](const ::testing::TestParamInfo<Tip>& info) { return "Control" + std::to_string(info.param.control); });

TEST_F(MainDialogShellTest, GroupBoxAndSeparatorsHaveNoTooltip)
{
    std::optional<std::string> onGroupTitle;
    std::optional<std::string> onSeparator;
    Run([&](platform::CDialog& d) {
        // 600 x 388 px client: the group box title sits near (486, 4), the
        // first separator at y = 60 dlu (97 px) from x = 324 dlu (486 px).
        onGroupTitle = platform::testing::ToolTipAt(d, POINT{560, 3});
        onSeparator = platform::testing::ToolTipAt(d, POINT{560, 98});
        ClickControl(d, IDCANCEL);
    });
    EXPECT_FALSE(onGroupTitle.has_value());
    EXPECT_FALSE(onSeparator.has_value());
}

struct CloseWay {
    const char* name;
    std::function<void(platform::CDialog&)> close;
};

class MainDialogShellCloseTest : public MainDialogShellTest, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(MainDialogShellCloseTest, EndsWithCancelAndAsksNothing)
{
    EXPECT_EQ(Run(GetParam().close), IDCANCEL);
    EXPECT_TRUE(m_prompts.Order().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, MainDialogShellCloseTest,
    ::testing::Values(CloseWay{"CloseButton", [](platform::CDialog& d) { ClickControl(d, IDCANCEL); }},
                      CloseWay{"Escape", [](platform::CDialog& d) { platform::testing::SendKey(d, VK_ESCAPE); }},
                      CloseWay{"CloseBox", [](platform::CDialog& d) { platform::testing::ClickCloseBox(d); }}),
    [](const ::testing::TestParamInfo<CloseWay>& info) { return std::string(info.param.name); });

TEST_F(MainDialogShellTest, SecondOpeningStartsLikeTheFirst)
{
    Run([](platform::CDialog& d) {
        ClickControl(d, res::IDC_SHUTDOWN);
        ClickControl(d, IDCANCEL);
    });
    Settings().WriteString("LogoEditor", "path", "/opt/editor");
    bool startUpPressed = false;
    bool shutDownPressed = true;
    std::string editor;
    Run([&](platform::CDialog& d) {
        startUpPressed = QueryControl(d, res::IDC_STARTUP).checked;
        shutDownPressed = QueryControl(d, res::IDC_SHUTDOWN).checked;
        editor = EditorPathOffered(d);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_TRUE(startUpPressed);
    EXPECT_FALSE(shutDownPressed);
    EXPECT_EQ(editor, "/opt/editor");
}

TEST_F(MainDialogShellTest, AboutOpensTheAboutBoxWhichCloseEnds)
{
    ScopedModalHook about(res::IDD_ABOUT, [](platform::CDialog& box) { ClickControl(box, IDCANCEL); });
    bool mainStillOpen = false;
    Run([&](platform::CDialog& d) {
        ClickControl(d, res::IDC_ABOUT);
        mainStillOpen = d.IsWindowVisible() != FALSE;
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(about.Calls(), 1);
    EXPECT_TRUE(mainStillOpen);
}

TEST_F(MainDialogShellTest, AboutBoxShowsProductAndVersion)
{
    std::string closeText;
    bool foundTitle = false;
    ScopedModalHook about(res::IDD_ABOUT, [&](platform::CDialog& box) {
        closeText = QueryControl(box, IDCANCEL).text;
        for (QLabel* label : WidgetOf(&box)->findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("LUMIVANE 2.0"))
                foundTitle = true;
        }
        platform::testing::SendKey(box, VK_ESCAPE);
    });
    Run([](platform::CDialog& d) {
        ClickControl(d, res::IDC_ABOUT);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(about.Calls(), 1);
    EXPECT_EQ(closeText, "&Close");
    EXPECT_TRUE(foundTitle);
}

TEST_F(MainDialogShellTest, SetLogoEditorOkTakesThePathFromTheStore)
{
    const std::filesystem::path editor = Root() / "tools" / "paint program";
    WriteFile(editor, "#!/bin/sh\n");
    std::string offered;
    ScopedModalHook editorPath(res::IDD_EDITOR_PATH, [&](platform::CDialog& box) {
        offered = box.GetDlgItemText(res::IDC_EDPATH_COMBO);
        box.SetDlgItemText(res::IDC_EDPATH_COMBO, editor.string());
        ClickControl(box, IDOK);
    });
    std::string afterwards;
    Run([&](platform::CDialog& d) {
        ClickControl(d, res::IDC_SET_LOGO_EDITOR);
        afterwards = EditorPathOffered(d);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(editorPath.Calls(), 1);
    EXPECT_EQ(offered, "C:\\WINDOWS\\pbrush.exe");
    EXPECT_EQ(afterwards, editor.string());
    EXPECT_EQ(Stored("LogoEditor", "path"), editor.string());
    EXPECT_EQ(Stored("LogoEditor", "prvpath"), "");
}

TEST_F(MainDialogShellTest, SetLogoEditorCancelKeepsTheEditorPath)
{
    ScopedModalHook editorPath(res::IDD_EDITOR_PATH, [&](platform::CDialog& box) {
        box.SetDlgItemText(res::IDC_EDPATH_COMBO, "/usr/bin/something-else");
        ClickControl(box, IDCANCEL);
    });
    std::string afterwards;
    Run([&](platform::CDialog& d) {
        ClickControl(d, res::IDC_SET_LOGO_EDITOR);
        afterwards = EditorPathOffered(d);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(afterwards, "C:\\WINDOWS\\pbrush.exe");
    EXPECT_EQ(Stored("LogoEditor", "path"), "<absent>");
}

TEST_F(MainDialogShellTest, NewLogoWithoutTemplateReportsItOverTheDialog)
{
    HWND dialogWindow = nullptr;
    Run([&](platform::CDialog& d) {
        dialogWindow = d.GetSafeHwnd();
        ClickControl(d, res::IDC_NEW_LOGO);
        ClickControl(d, IDCANCEL);
    });
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    const platform::MessageBoxRequest& box = m_prompts.MessageBoxes()[0].request;
    EXPECT_EQ(box.text,
              "The new logo template was not found. Please ensure that file C:\\WINDOWS\\SYSTEM\\new.tpl exists.");
    EXPECT_EQ(box.owner, dialogWindow);
}

TEST_F(MainDialogShellTest, NewLogoStartsTheStoredEditor)
{
    WriteFile(SystemFolder() / "NEW.TPL", "BM");
    const std::filesystem::path record = Root() / "started";
    const std::filesystem::path script = Root() / "an editor.sh";
    WriteFile(script, "#!/bin/sh\nprintf '%s' \"$1\" > '" + record.string() + ".part' && mv '" + record.string() +
                          ".part' '" + record.string() + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    Settings().WriteString("LogoEditor", "path", script.string());
    Run([&](platform::CDialog& d) {
        ClickControl(d, res::IDC_NEW_LOGO);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
    for (int i = 0; i < 500 && !std::filesystem::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(record);
    std::string argument((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(argument, (SystemFolder() / "NEW.TPL").string());
}

}  // namespace
}  // namespace appletui
