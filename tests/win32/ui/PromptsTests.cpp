// The prompt seam on Win32: scripted answers, the pointer freed first, and
// how requests become common dialog arguments.
#include "platform/WinTypes.h"

#include "platform/testing/ScriptedPrompts.h"
#include "platform/ui/Cursors.h"
#include "platform/ui/MouseCapture.h"
#include "platform/ui/Prompts.h"
#include "platform/win32/ui/CursorControl.h"
#include "platform/win32/ui/Win32Prompts.h"
#include "tests/win32/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;

namespace {

class ScriptedPromptsTest : public ::testing::Test {
protected:
    void SetUp() override { SetPrompts(&m_prompts); }
    void TearDown() override
    {
        SetPrompts(nullptr);
        SetBeforeModalPromptCallback({});
        platform::ClipCursor(nullptr);
        platform::ReleaseCapture();
    }
    ScriptedPrompts m_prompts;
};

TEST_F(ScriptedPromptsTest, AnswerEveryKindThroughTheSeam)
{
    m_prompts.QueueMessageBoxAnswer(IDNO);
    m_prompts.QueueFileDialogAnswer("C:\\WINDOWS\\LOGOW.SYS", 1);
    m_prompts.QueueColorAnswer(ColorAnswer{true, RGB(1, 2, 3)});

    EXPECT_EQ(platform::MessageBoxA(nullptr, "Save changes?", "Lumivane", MB_YESNO | MB_ICONQUESTION), IDNO);
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.filter = "Bitmaps (*.bmp)|*.bmp|Logos (*.sys)|*.sys||";
    request.defaultExtension = "*.sys";
    const FileDialogAnswer file = CurrentPrompts().FileDialog(request);
    const ColorAnswer color = CurrentPrompts().ChooseColor(nullptr, RGB(9, 9, 9), CC_FULLOPEN);

    EXPECT_TRUE(file.ok);
    EXPECT_EQ(file.path, "C:\\WINDOWS\\LOGOW.SYS");
    EXPECT_EQ(file.filterIndex, 1);
    EXPECT_TRUE(color.ok);
    EXPECT_EQ(color.color, RGB(1, 2, 3));
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.text, "Save changes?");
    ASSERT_EQ(m_prompts.FileDialogs().size(), 1u);
    EXPECT_EQ(m_prompts.FileDialogs()[0].defaultExtension, "sys");
    EXPECT_EQ(m_prompts.FileDialogs()[0].filters.size(), 2u);
    ASSERT_EQ(m_prompts.Colors().size(), 1u);
    EXPECT_EQ(m_prompts.Colors()[0].request.flags, static_cast<DWORD>(CC_FULLOPEN));
    EXPECT_EQ(m_prompts.PendingAnswers(), 0u);
}

TEST_F(ScriptedPromptsTest, CaptureAndConfinementAreReleasedBeforeThePromptOpens)
{
    lumivane::test::TestWindow window;
    platform::SetCapture(window.Handle());
    const RECT clip{10, 10, 50, 40};
    platform::ClipCursor(&clip);
    ASSERT_EQ(platform::GetCapture(), window.Handle());
    ASSERT_TRUE(platform::CursorClip().has_value());

    bool callbackRan = false;
    HWND captureInCallback = window.Handle();
    bool clippedInCallback = true;
    RECT systemClip{};
    SetBeforeModalPromptCallback([&] {
        callbackRan = true;
        captureInCallback = ::GetCapture();
        clippedInCallback = platform::CursorClip().has_value();
        ::GetClipCursor(&systemClip);
    });
    HWND captureInPrompt = window.Handle();
    m_prompts.SetMessageBoxResponder([&](const MessageBoxRequest&) {
        captureInPrompt = ::GetCapture();
        return IDOK;
    });

    EXPECT_EQ(platform::MessageBoxA(window.Handle(), "text", "caption", MB_OK), IDOK);
    EXPECT_TRUE(callbackRan);
    EXPECT_EQ(captureInCallback, nullptr);
    EXPECT_EQ(captureInPrompt, nullptr);
    EXPECT_FALSE(clippedInCallback);
    // Free again: the system reports the whole screen, not the old rectangle.
    EXPECT_FALSE(systemClip.left == clip.left && systemClip.right == clip.right);
}

TEST_F(ScriptedPromptsTest, ProgramCursorIsPutAsideWhileThePromptIsOpen)
{
    const HCURSOR wait = LoadCursorA(IDC_WAIT);
    platform::SetCursor(wait);
    bool appliedDuringPrompt = true;
    m_prompts.SetColorResponder([&](const ColorRequest& request) {
        appliedDuringPrompt = win32::ApplyProgramCursor();
        return ColorAnswer{false, request.initial};
    });
    const ColorAnswer answer = CurrentPrompts().ChooseColor(nullptr, RGB(4, 5, 6), 0);
    EXPECT_FALSE(appliedDuringPrompt);
    EXPECT_TRUE(win32::ApplyProgramCursor());
    EXPECT_FALSE(answer.ok);
    EXPECT_EQ(answer.color, RGB(4, 5, 6));
    platform::SetCursor(nullptr);
}

TEST(CommonDialogFilter, JoinsDescriptionsAndPatternsWithNulls)
{
    const std::vector<char> filter = win32::CommonDialogFilter("Pictures|*.bmp;*.sys|All Files (*.*)|*.*||");
    // The literal's own terminator is the list's second NUL.
    static constexpr char kExpected[] = "Pictures\0*.bmp;*.sys\0All Files (*.*)\0*.*\0";
    const std::string expected(kExpected, sizeof kExpected);
    EXPECT_EQ(std::string(filter.begin(), filter.end()), expected);
    EXPECT_TRUE(win32::CommonDialogFilter("").empty());
}

TEST(SplitInitialPath, TellsFoldersFromFiles)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder(temp);
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();

    const win32::DialogStart existing = win32::SplitInitialPath(folder, "LOGO.SYS");
    EXPECT_EQ(existing.directory, folder);
    EXPECT_EQ(existing.fileName, "LOGO.SYS");

    const win32::DialogStart file = win32::SplitInitialPath("C:/WINDOWS/LOGOS.SYS", "");
    EXPECT_EQ(file.directory, "C:\\WINDOWS\\");
    EXPECT_EQ(file.fileName, "LOGOS.SYS");

    const win32::DialogStart named = win32::SplitInitialPath("C:\\WINDOWS\\LOGOS.SYS", "OTHER.SYS");
    EXPECT_EQ(named.fileName, "OTHER.SYS");

    const win32::DialogStart trailing = win32::SplitInitialPath("C:\\NOT-THERE\\", "");
    EXPECT_EQ(trailing.directory, "C:\\NOT-THERE\\");
    EXPECT_EQ(trailing.fileName, "");
}

}  // namespace
