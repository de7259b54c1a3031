// ScriptedPrompts: answers in order from queues and responders, documented
// defaults when unanswered, and records of every field asked. Also the work
// every prompt does first: free the pointer and put the program's cursor aside.

#include "platform/ui/Cursors.h"
#include "platform/ui/MouseCapture.h"
#include "platform/ui/Prompts.h"
#include "platform/qt/QtPrompts.h"
#include "platform/testing/ScriptedPrompts.h"

#include <QGuiApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::FileDialogMode;
using platform::FileDialogRequest;
using platform::PromptKind;
using platform::ScriptedPrompts;

namespace {

class ScriptedPromptsTest : public testing::Test {
protected:
    void SetUp() override { platform::SetPrompts(&m_prompts); }
    void TearDown() override { platform::SetPrompts(nullptr); }

    ScriptedPrompts m_prompts;
};

TEST_F(ScriptedPromptsTest, MessageBoxAGoesThroughTheInstalledPrompts)
{
    EXPECT_EQ(&platform::CurrentPrompts(), &m_prompts);
    m_prompts.QueueMessageBoxAnswer(IDYES);
    EXPECT_EQ(platform::MessageBoxA(nullptr, "Image has not been saved.\nPressing YES will discard your changes.",
                                    "Alert", 308),
              IDYES);
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    const auto& record = m_prompts.MessageBoxes()[0];
    EXPECT_EQ(record.request.text, "Image has not been saved.\nPressing YES will discard your changes.");
    EXPECT_EQ(record.request.caption, "Alert");
    EXPECT_EQ(record.request.type, 308u);
    EXPECT_EQ(record.style.buttons, platform::MessageBoxButtons::YesNo);
    EXPECT_EQ(record.style.icon, platform::MessageBoxIcon::Exclamation);
    EXPECT_EQ(record.style.defaultButton, 1);
    EXPECT_EQ(record.answer, IDYES);
    EXPECT_TRUE(record.scripted);
}

TEST_F(ScriptedPromptsTest, SetPromptsNullGoesBackToTheRealDialogs)
{
    platform::SetPrompts(nullptr);
    EXPECT_NE(&platform::CurrentPrompts(), &m_prompts);
    EXPECT_NE(dynamic_cast<platform::QtPrompts*>(&platform::CurrentPrompts()), nullptr);
}

TEST_F(ScriptedPromptsTest, QueuedAnswersComeInOrderBeforeTheResponder)
{
    m_prompts.QueueMessageBoxAnswer(IDNO);
    m_prompts.QueueMessageBoxAnswer(IDYES);
    int responderCalls = 0;
    m_prompts.SetMessageBoxResponder([&](const platform::MessageBoxRequest& request) {
        ++responderCalls;
        return request.caption == "Q" ? IDYES : IDOK;
    });
    EXPECT_EQ(platform::MessageBoxA(nullptr, "1", "Q", MB_YESNO), IDNO);
    EXPECT_EQ(platform::MessageBoxA(nullptr, "2", "Q", MB_YESNO), IDYES);
    EXPECT_EQ(platform::MessageBoxA(nullptr, "3", "Q", MB_YESNO), IDYES);
    EXPECT_EQ(responderCalls, 1);
    EXPECT_EQ(m_prompts.UnansweredCount(), 0);
    EXPECT_EQ(m_prompts.PendingAnswers(), 0u);
}

struct UnansweredCase {
    const char* name;
    UINT type;
    int answer;
};

void PrintTo(const UnansweredCase& c, std::ostream* os)
{
    *os << c.name;
}

class UnansweredMessageBoxTest : public ScriptedPromptsTest, public testing::WithParamInterface<UnansweredCase> {};

TEST_P(UnansweredMessageBoxTest, GivesTheEscapeAnswerAndReportsIt)
{
    std::vector<std::string> reported;
    m_prompts.SetUnansweredHandler([&](PromptKind kind, const std::string& what) {
        EXPECT_EQ(kind, PromptKind::MessageBox);
        reported.push_back(what);
    });
    EXPECT_EQ(platform::MessageBoxA(nullptr, "Text", "Caption", GetParam().type), GetParam().answer);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("Caption"), std::string::npos);
    EXPECT_FALSE(m_prompts.MessageBoxes().at(0).scripted);
    EXPECT_EQ(m_prompts.UnansweredCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Types, UnansweredMessageBoxTest,
                         testing::Values(UnansweredCase{"OkBox", MB_OK | MB_ICONHAND, IDOK},
                                         UnansweredCase{"YesNoBox", MB_YESNO | MB_ICONQUESTION, IDNO},
                                         UnansweredCase{"OkCancelBox", 0x1, IDCANCEL}),
                         [](const testing::TestParamInfo<UnansweredCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(ScriptedPromptsTest, FileDialogRecordsEveryFieldAndParsesTheFilter)
{
    m_prompts.QueueFileDialogAnswer("/tmp/out/logo.bmp", 1);
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.title = "Save Logo As...";
    request.filter = "Static Logo|*.bmp|Animated Logo|*.bmp||";
    request.defaultExtension = ".bmp";
    request.initialDirectory = "C:\\LOGOS\\last.bmp";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;

    const auto answer = platform::CurrentPrompts().FileDialog(request);
    EXPECT_TRUE(answer.ok);
    EXPECT_EQ(answer.path, "/tmp/out/logo.bmp");
    EXPECT_EQ(answer.filterIndex, 1);

    ASSERT_EQ(m_prompts.FileDialogs().size(), 1u);
    const auto& record = m_prompts.FileDialogs()[0];
    EXPECT_EQ(record.request.mode, FileDialogMode::Save);
    EXPECT_EQ(record.request.title, "Save Logo As...");
    EXPECT_EQ(record.request.filter, request.filter);
    EXPECT_EQ(record.request.initialDirectory, "C:\\LOGOS\\last.bmp");
    EXPECT_EQ(record.request.flags, 0x8806u);
    ASSERT_EQ(record.filters.size(), 2u);
    EXPECT_EQ(record.filters[1].description, "Animated Logo");
    EXPECT_EQ(record.defaultExtension, "bmp");
}

TEST_F(ScriptedPromptsTest, UnansweredFileDialogIsACancel)
{
    FileDialogRequest request;
    request.filterIndex = 1;
    const auto answer = platform::CurrentPrompts().FileDialog(request);
    EXPECT_FALSE(answer.ok);
    EXPECT_TRUE(answer.path.empty());
    EXPECT_EQ(answer.filterIndex, 1);
    EXPECT_EQ(m_prompts.UnansweredCount(), 1);

    m_prompts.QueueFileDialogCancel();
    EXPECT_FALSE(platform::CurrentPrompts().FileDialog(request).ok);
    EXPECT_TRUE(m_prompts.FileDialogs().at(1).scripted);
}

TEST_F(ScriptedPromptsTest, ColourAnswersAndCancelKeepsTheInitialColour)
{
    m_prompts.QueueColorAnswer({true, RGB(9, 8, 7)});
    m_prompts.QueueColorAnswer({false, RGB(255, 255, 255)});
    auto& prompts = platform::CurrentPrompts();
    EXPECT_EQ(prompts.ChooseColor(nullptr, RGB(1, 2, 3), 131).color, RGB(9, 8, 7));
    const auto cancelled = prompts.ChooseColor(nullptr, RGB(1, 2, 3), 131);
    EXPECT_FALSE(cancelled.ok);
    EXPECT_EQ(cancelled.color, RGB(1, 2, 3));
    const auto unanswered = prompts.ChooseColor(nullptr, RGB(4, 5, 6), 131);
    EXPECT_FALSE(unanswered.ok);
    EXPECT_EQ(unanswered.color, RGB(4, 5, 6));

    ASSERT_EQ(m_prompts.Colors().size(), 3u);
    EXPECT_EQ(m_prompts.Colors()[0].request.initial, RGB(1, 2, 3));
    EXPECT_EQ(m_prompts.Colors()[0].request.flags, 131u);
    EXPECT_EQ(m_prompts.UnansweredCount(), 1);
}

TEST_F(ScriptedPromptsTest, RecordsTheOrderOfAllKinds)
{
    platform::MessageBoxA(nullptr, "a", "b", MB_OK);
    platform::CurrentPrompts().ChooseColor(nullptr, 0, 0);
    platform::CurrentPrompts().FileDialog({});
    EXPECT_EQ(m_prompts.Order(),
              (std::vector<PromptKind>{PromptKind::MessageBox, PromptKind::Color, PromptKind::FileDialog}));
    m_prompts.ClearRecords();
    EXPECT_TRUE(m_prompts.Order().empty());
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
    EXPECT_EQ(m_prompts.UnansweredCount(), 0);
}

TEST_F(ScriptedPromptsTest, EveryPromptFreesThePointerFirst)
{
    QWidget window;
    window.show();
    platform::SetCapture(reinterpret_cast<HWND>(&window));
    const RECT area{10, 10, 50, 50};
    platform::ClipCursor(&area);
    std::vector<std::string> events;
    platform::SetBeforeModalPromptCallback([&] {
        events.push_back(platform::GetCapture() == nullptr && !platform::CursorClip() ? "released" : "still held");
    });
    m_prompts.SetMessageBoxResponder([&](const platform::MessageBoxRequest&) {
        events.push_back("asked");
        return IDOK;
    });

    platform::MessageBoxA(reinterpret_cast<HWND>(&window), "Text", "Caption", MB_OK);
    platform::SetBeforeModalPromptCallback(nullptr);

    EXPECT_EQ(events, (std::vector<std::string>{"released", "asked"}));
    EXPECT_EQ(platform::GetCapture(), nullptr);
    EXPECT_FALSE(platform::CursorClip());
}

TEST_F(ScriptedPromptsTest, TheProgramCursorIsPutAsideWhileAPromptIsOpen)
{
    const HCURSOR wait = platform::LoadCursorA(platform::IDC_WAIT);
    const HCURSOR before = platform::SetCursor(wait);
    bool overriddenDuringPrompt = true;
    m_prompts.SetColorResponder([&](const platform::ColorRequest& request) {
        overriddenDuringPrompt = QGuiApplication::overrideCursor() != nullptr;
        return platform::ColorAnswer{true, request.initial};
    });
    platform::CurrentPrompts().ChooseColor(nullptr, 0, 0);

    EXPECT_FALSE(overriddenDuringPrompt);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(platform::GetCursor(), wait);
    platform::SetCursor(before);
}

}  // namespace
