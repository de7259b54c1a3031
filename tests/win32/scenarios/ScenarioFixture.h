#pragma once
// The applet as the Control Panel runs it, in the test's own Wine prefix:
// the logo files where the system keeps them (C:\logo.sys and the Windows
// folder's logow.sys and logos.sys), pictures to pick in C:\lumivane-test,
// its settings key emptied before and after each test, the module attached
// and prompts scripted through the seam the Linux tests use.

#include "applet/AppletAttach.h"
#include "applet/CAppletApp.h"
#include "common/TestFiles.h"
#include "platform/WinTypes.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/testing/ScriptedPrompts.h"
#include "tests/win32/RegistryTesting.h"
#include "tests/win32/scenarios/ModalScript.h"
#include "ui/main/CMainDlg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace scenario {

using Bytes = std::vector<std::uint8_t>;

using win32_test::RegistryValue;

// The Windows folder as the prefix reports it, with its backslash, and the
// three logo files where the system looks for them.
std::string WindowsFolder();
std::string StartUpFile();
std::string PreShutDownFile();
std::string ShutDownFile();
// A file in the test's picture folder.
std::string Picture(const std::string& name);

// Writes a logo file (animated when count is not 0); returns its bytes.
Bytes WriteLogo(const std::string& path, unsigned seed, std::uint8_t count = 0);
inline Bytes ReadBytes(const std::string& path) { return testing_support::ReadAll(path); }
// The three system files, each a different static logo.
void WriteSystemLogos();

// HKEY_CURRENT_USER\Software\Lumivane\lumva\<section>, value <entry>.
std::optional<RegistryValue> Stored(const std::string& section, const std::string& entry);

// Each child of the dialog, in template order, stands where MapDialogRect
// puts its control's rectangle and carries its id.
void ExpectControlsWhereTheTemplatePutsThem(HWND dialog, const platform::DialogTemplate& dialogTemplate);

// The size of a file, or -1 when it cannot be opened.
long long FileSize(const std::string& path);

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
