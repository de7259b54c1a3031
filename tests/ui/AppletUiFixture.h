#pragma once
// A Windows installation in a temporary folder (drive C with WINDOWS and
// WINDOWS\SYSTEM), a settings store beside it, the module's resources, an
// attached application object and scripted prompts: what the applet's
// dialogs find when the Control Panel runs them.

#include "applet/AppletAttach.h"
#include "applet/CAppletApp.h"
#include "common/TestFiles.h"
#include "platform/modres/ModuleResources.h"
#include "platform/files/FileSystem.h"
#include "platform/testing/ScriptedPrompts.h"
#include "platform/settings/SettingsFile.h"
#include "platform/qt/testing/UiTesting.h"
#include "resources/ModuleResourceBlob.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace appletui {

class AppletUiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(SystemFolder());
        std::filesystem::create_directories(m_root.Path() / "config");
        setenv("LUMIVANE_DRIVE_C", Drive().c_str(), 1);
        setenv("LUMIVANE_WINDOWS_DIR", "C:\\WINDOWS", 1);
        setenv("LUMIVANE_SYSTEM_DIR", "C:\\WINDOWS\\SYSTEM", 1);
        setenv("XDG_CONFIG_HOME", (m_root.Path() / "config").c_str(), 1);
        platform::SetFileSystem(nullptr);  // rebuilt from the variables above
        platform::SetModuleResources(res::ModuleResourceBlob());
        ASSERT_TRUE(AttachApplet(m_app, "/usr/lib/lumivane/lumva.cpl"));
        m_prompts.SetUnansweredHandler([](platform::PromptKind, const std::string& what) {
            ADD_FAILURE() << "unanswered prompt: " << what;
        });
        // Every message box of these flows has an OK button alone.
        m_prompts.SetMessageBoxResponder([](const platform::MessageBoxRequest&) { return IDOK; });
        platform::SetPrompts(&m_prompts);
        platform::testing::SetModalTimeout(15000);
    }

    void TearDown() override
    {
        platform::testing::SetModalTimeout(0);
        platform::SetPrompts(nullptr);
        DetachApplet(m_app);
        platform::SetFileSystem(nullptr);
        for (const char* name : {"LUMIVANE_DRIVE_C", "LUMIVANE_WINDOWS_DIR", "LUMIVANE_SYSTEM_DIR", "XDG_CONFIG_HOME"})
            unsetenv(name);
    }

    std::filesystem::path Drive() const { return m_root.Path() / "drive_c"; }
    std::filesystem::path SystemFolder() const { return Drive() / "WINDOWS" / "SYSTEM"; }
    std::filesystem::path Root() const { return m_root.Path(); }

    // The settings file as the backend keeps it.
    platform::SettingsFile Settings() const { return platform::SettingsFile("Lumivane", "lumva"); }
    // A stored string, or "<absent>".
    std::string Stored(const std::string& section, const std::string& entry) const
    {
        return Settings().ReadString(section, entry, "<absent>");
    }

    static void WriteFile(const std::filesystem::path& path, const std::string& text)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    testing_support::TempDir m_root;
    CAppletApp m_app;
    platform::ScriptedPrompts m_prompts;
};

}  // namespace appletui
