// The help viewer on Win32: a window of our own showing the Markdown help
// file as plain text; one at a time, HELP_QUIT closes it, a file that cannot
// be shown is reported in a message box and the call fails.

#include "platform/WinTypes.h"

#include "platform/testing/ScriptedPrompts.h"
#include "platform/ui/WinHelp.h"
#include "platform/win32/ui/HelpWindow.h"
#include "tests/win32/platform/TempFolder.h"
#include "tests/win32/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <string>

namespace {

HWND ViewerWindow()
{
    return ::FindWindowA("LumivaneHelpViewer", nullptr);
}

class Win32HelpViewer : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetPrompts(&m_prompts);
        m_help = m_folder.File("lumva.md");
        ASSERT_TRUE(win32_test::WriteBytes(m_help, "# Lumivane Help\n\n**Apply** writes\nyour choices.\n"));
    }
    void TearDown() override
    {
        platform::CloseHelpViewer();
        lumivane::test::PumpMessages();
        platform::SetPrompts(nullptr);
    }

    platform::ScriptedPrompts m_prompts;
    win32_test::TempFolder m_folder;
    std::string m_help;
};

TEST_F(Win32HelpViewer, ContentsShowsTheFileAsPlainText)
{
    EXPECT_FALSE(platform::OpenHelpViewer());
    ASSERT_TRUE(platform::WinHelpA(nullptr, m_help, platform::HELP_CONTENTS, 0));
    const auto state = platform::OpenHelpViewer();
    ASSERT_TRUE(state);
    EXPECT_EQ(state->title, "Lumivane Help");
    EXPECT_EQ(state->text, "Lumivane Help\n\nApply writes your choices.\n");
    EXPECT_EQ(state->hostPath, m_help);
    EXPECT_TRUE(state->visible);
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());

    // The edit control holds the same text with Windows line ends.
    HWND edit = platform::win32::HelpWindowEdit(ViewerWindow());
    ASSERT_NE(edit, nullptr);
    char shown[256] = {};
    ::GetWindowTextA(edit, shown, sizeof shown);
    EXPECT_STREQ(shown, "Lumivane Help\r\n\r\nApply writes your choices.\r\n");
    EXPECT_NE(::GetWindowLongA(edit, GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(Win32HelpViewer, OpeningAgainReusesTheOneViewer)
{
    ASSERT_TRUE(platform::WinHelpA(nullptr, m_help, HELP_FORCEFILE, 0));
    HWND first = ViewerWindow();
    const std::string other = m_folder.File("other.md");
    ASSERT_TRUE(win32_test::WriteBytes(other, "Other text"));
    ASSERT_TRUE(platform::WinHelpA(nullptr, other, platform::HELP_CONTENTS, 0));
    EXPECT_EQ(ViewerWindow(), first);
    EXPECT_EQ(platform::OpenHelpViewer()->text, "Other text\n");
    EXPECT_EQ(platform::OpenHelpViewer()->hostPath, other);
}

TEST_F(Win32HelpViewer, QuitClosesTheViewer)
{
    ASSERT_TRUE(platform::WinHelpA(nullptr, m_help, platform::HELP_CONTENTS, 0));
    ASSERT_NE(ViewerWindow(), nullptr);
    EXPECT_TRUE(platform::WinHelpA(nullptr, m_help, platform::HELP_QUIT, 0));
    EXPECT_FALSE(platform::OpenHelpViewer());
    EXPECT_EQ(ViewerWindow(), nullptr);
    // Quitting with no viewer open is harmless.
    EXPECT_TRUE(platform::WinHelpA(nullptr, "", platform::HELP_QUIT, 0));
}

TEST_F(Win32HelpViewer, EscapeAndTheOwnerClosingCloseItToo)
{
    ASSERT_TRUE(platform::WinHelpA(nullptr, m_help, platform::HELP_CONTENTS, 0));
    HWND edit = platform::win32::HelpWindowEdit(ViewerWindow());
    ::SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    lumivane::test::PumpMessages();
    EXPECT_FALSE(platform::OpenHelpViewer());

    HWND owner = nullptr;
    {
        lumivane::test::TestWindow window;
        owner = window.Handle();
        ASSERT_TRUE(platform::WinHelpA(owner, m_help, platform::HELP_CONTENTS, 0));
        EXPECT_EQ(::GetWindow(ViewerWindow(), GW_OWNER), owner);
    }
    lumivane::test::PumpMessages();
    EXPECT_FALSE(platform::OpenHelpViewer());
}

TEST_F(Win32HelpViewer, AMissingFileIsReportedAndNothingOpens)
{
    EXPECT_FALSE(platform::WinHelpA(nullptr, m_folder.File("absent.md"), platform::HELP_CONTENTS, 0));
    EXPECT_FALSE(platform::OpenHelpViewer());
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    const platform::MessageBoxRequest& shown = m_prompts.MessageBoxes()[0].request;
    EXPECT_EQ(shown.caption, "Help");
    EXPECT_NE(shown.text.find("absent.md"), std::string::npos);
}

TEST_F(Win32HelpViewer, AFolderOrAFileOverFourMegabytesIsRefused)
{
    EXPECT_FALSE(platform::WinHelpA(nullptr, m_folder.Path(), platform::HELP_CONTENTS, 0));
    const std::string large = m_folder.File("large.md");
    ASSERT_TRUE(win32_test::WriteBytes(large, std::string(4 * 1024 * 1024 + 1, 'x')));
    EXPECT_FALSE(platform::WinHelpA(nullptr, large, platform::HELP_CONTENTS, 0));
    EXPECT_FALSE(platform::OpenHelpViewer());
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 2u);
    EXPECT_NE(m_prompts.MessageBoxes()[1].request.text.find("too large"), std::string::npos);
    // Exactly four megabytes is still shown.
    ASSERT_TRUE(win32_test::WriteBytes(large, std::string(4 * 1024 * 1024, 'x')));
    EXPECT_TRUE(platform::WinHelpA(nullptr, large, platform::HELP_CONTENTS, 0));
}

TEST_F(Win32HelpViewer, UnknownCommandsFailWithoutAPrompt)
{
    EXPECT_FALSE(platform::WinHelpA(nullptr, m_help, 0x0101, 0));
    EXPECT_FALSE(platform::OpenHelpViewer());
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
}

}  // namespace
