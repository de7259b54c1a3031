#include "tests/win32/scenarios/ScenarioFixture.h"

#include "platform/ui/Prompts.h"

#include <cstdlib>

namespace scenario {

void ExpectControlsWhereTheTemplatePutsThem(HWND dialog, const platform::DialogTemplate& dialogTemplate)
{
    HWND child = ::GetWindow(dialog, GW_CHILD);
    for (const platform::ControlTemplate& control : dialogTemplate.controls) {
        ASSERT_NE(child, nullptr) << "fewer windows than controls";
        // Position and size map apart, as the dialog manager maps them.
        RECT mapped{control.x, control.y, control.cx, control.cy};
        ASSERT_TRUE(::MapDialogRect(dialog, &mapped));
        const RECT expected{mapped.left, mapped.top, mapped.left + mapped.right, mapped.top + mapped.bottom};
        RECT actual = ClientRectOf(dialog, child);
        // The static class sizes an etched line's length itself (Wine's by
        // its edge, two pixels); where it starts and its thickness are the
        // template's.
        const DWORD type = control.style & SS_TYPEMASK;
        if (control.cls == platform::ControlClass::Static && (type == SS_ETCHEDHORZ || type == SS_ETCHEDVERT)) {
            EXPECT_LE(std::abs((actual.right - actual.left) - (expected.right - expected.left)), 2) << control.text;
            EXPECT_LE(std::abs((actual.bottom - actual.top) - (expected.bottom - expected.top)), 2) << control.text;
            if (type == SS_ETCHEDHORZ)
                actual.right = expected.right;
            else
                actual.bottom = expected.bottom;
        }
        EXPECT_TRUE(::EqualRect(&actual, &expected))
            << control.id << " \"" << control.text << "\" at (" << actual.left << ", " << actual.top << ")-("
            << actual.right << ", " << actual.bottom << "), template (" << expected.left << ", " << expected.top
            << ")-(" << expected.right << ", " << expected.bottom << ")";
        if (control.id != -1) {
            EXPECT_EQ(::GetDlgCtrlID(child), control.id) << control.text;
        }
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
}

void AppletScenario::SetUp()
{
    ASSERT_NO_FATAL_FAILURE(ResetPrefix(true));
    // The application takes its name, and so its settings key, from the
    // module's file name.
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string module = exe;
    module = module.substr(0, module.find_last_of('\\') + 1) + "lumva.cpl";
    ASSERT_TRUE(AttachApplet(m_app, module));
    m_prompts.SetUnansweredHandler([](platform::PromptKind, const std::string& what) {
        ADD_FAILURE() << "unanswered prompt: " << what;
    });
    m_prompts.SetMessageBoxResponder([](const platform::MessageBoxRequest&) { return IDOK; });
    platform::SetPrompts(&m_prompts);
}

void AppletScenario::TearDown()
{
    platform::SetPrompts(nullptr);
    DetachApplet(m_app);
    EXPECT_EQ(m_script.StepsNotRun(), 0) << "a scripted dialog never opened";
    ResetPrefix(false);
}

int AppletScenario::RunMainDialog(const std::function<void(HWND)>& drive)
{
    m_script.When(m_dialog, [&] { drive(m_dialog.GetSafeHwnd()); });
    return m_dialog.DoModal();
}

}  // namespace scenario
