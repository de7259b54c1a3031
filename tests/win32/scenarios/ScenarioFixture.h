#pragma once
// The applet as the Control Panel runs it, in the test's own Wine prefix
// (PrefixFiles.h, emptied before and after each test), the module attached
// and prompts scripted through the seam the Linux tests use.

#include "applet/AppletAttach.h"
#include "applet/CAppletApp.h"
#include "platform/WinTypes.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/testing/ScriptedPrompts.h"
#include "tests/win32/PrefixFiles.h"
#include "tests/win32/scenarios/ModalScript.h"
#include "ui/main/CMainDlg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace scenario {

// Each child of the dialog, in template order, stands where MapDialogRect
// puts its control's rectangle and carries its id.
void ExpectControlsWhereTheTemplatePutsThem(HWND dialog, const platform::DialogTemplate& dialogTemplate);

class AppletScenario : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the main dialog; drive plays the user in it.
    int RunMainDialog(const std::function<void(HWND)>& drive);

    CAppletApp m_app;
    platform::ScriptedPrompts m_prompts;
    CMainDlg m_dialog;
    ModalScript m_script;
};

}  // namespace scenario
