// The lumva.cpl that ships (LUMIVANE_CPL), loaded as the Control Panel
// loads it and played from outside through its windows alone, the system's
// own file dialogs included: the main dialog, Browse, Apply, Default Logo,
// Save Logo to File, the editor and its Save As, judged by what they leave
// on the disk and in the registry. Run as Wine's default Windows and as
// Windows 98; a probe on the module's import table shows which route it
// takes: on Windows 9x it must ask the version and look up no wide call.

#include "logo/BmpReader.h"
#include "resources/ResourceIds.h"
#include "tests/win32/AppletModule.h"
#include "tests/win32/PrefixFiles.h"
#include "tests/win32/scenarios/ImportProbe.h"
#include "tests/win32/scenarios/ModalScript.h"

#include <dlgs.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace scenario {
namespace {

// Emulated 32-bit Wine is slow; a dialog still open after this has hung.
constexpr DWORD kScriptDeadlineMs = 120000;

bool OnWindows9x()
{
    return (::GetVersion() & 0x80000000U) != 0;
}

std::string ModuleString(HMODULE module, UINT id)
{
    char text[256] = {};
    const int length = ::LoadStringA(module, id, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// Types a full path into a file dialog's name box and presses its Open or
// Save button.
void ChooseFile(HWND fileDialog, const std::string& path)
{
    // Explorer-style: a combo box (its edit takes the text), else an edit.
    HWND name = ::GetDlgItem(fileDialog, cmb13);
    if (name == nullptr)
        name = ::GetDlgItem(fileDialog, edt1);
    ASSERT_NE(name, nullptr) << "the file dialog has no name box";
    ::SetWindowTextA(name, path.c_str());
    ASSERT_TRUE(Click(fileDialog, IDOK));
}

bool Enabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

class ShippedModule : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* path = std::getenv("LUMIVANE_CPL");
        ASSERT_TRUE(path != nullptr && *path != '\0') << "LUMIVANE_CPL names no lumva.cpl";
        ASSERT_NO_FATAL_FAILURE(ResetPrefix(true));
        m_applet = std::make_unique<win32_test::LoadedApplet>(path);
        ASSERT_NE(m_applet->Module(), nullptr) << path << ": LoadLibraryA failed with " << ::GetLastError();
        ASSERT_NE(m_applet->Entry(), nullptr);
        m_probe = std::make_unique<ImportProbe>(m_applet->Module());
        ASSERT_TRUE(m_probe->Complete()) << "the module imports a watched function otherwise";
        ASSERT_EQ(m_applet->Send(m_host.Handle(), CPL_INIT), 1);
        ASSERT_EQ(m_applet->Send(m_host.Handle(), CPL_GETCOUNT), 1);
        CPLINFO info{};
        m_applet->Send(m_host.Handle(), CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info));
        m_data = info.lData;
    }

    void TearDown() override
    {
        if (m_applet && m_applet->Entry() != nullptr) {
            m_applet->Send(m_host.Handle(), CPL_STOP, 0, m_data);
            m_applet->Send(m_host.Handle(), CPL_EXIT);
        }
        EXPECT_EQ(m_script.StepsNotRun(), 0) << "a scripted window never opened";
        if (m_probe)
            ExpectTheRouteOfThisWindows(m_probe->Record());
        m_probe.reset();
        m_applet.reset();
        ResetPrefix(false);
    }

    // Opens the applet as a double click in the Control Panel does; the
    // steps scripted before play the user while it runs.
    void Open(std::function<void(HWND)> drive)
    {
        m_script.WhenWindow("Lumivane", std::move(drive));
        m_applet->Send(m_host.Handle(), CPL_DBLCLK, 0, m_data);
    }

    std::string Text(UINT id) const { return ModuleString(m_applet->Module(), id); }

    // Windows 9x exports the wide calls only to fail, so there the module
    // must go the ANSI way; Windows NT gets its wide calls.
    static void ExpectTheRouteOfThisWindows(const ImportRecord& record)
    {
        const bool nineX = OnWindows9x();
        std::string wide;
        for (const std::string& name : record.lookedUp)
            if (IsWideName(name))
                wide += " " + name;
        std::printf("%s route: %s\n", nineX ? "Windows 9x" : "Windows NT", Describe(record).c_str());
        EXPECT_GT(record.versionQueries, 0u) << "the module never asked which Windows it runs on";
        EXPECT_EQ((record.version & 0x80000000U) != 0, nineX);
        if (nineX)
            EXPECT_EQ(wide, "") << "on Windows 9x the module looked up wide calls";
        else
            EXPECT_NE(wide, "") << "on Windows NT the module made no wide call";
        EXPECT_GT(record.calls.count("CreateFileA") + record.calls.count("fopen"), 0u) << "no file was opened";
    }

    win32_test::HostWindow m_host;
    std::unique_ptr<win32_test::LoadedApplet> m_applet;
    std::unique_ptr<ImportProbe> m_probe;
    LPARAM m_data = 0;
    ModalScript m_script{kScriptDeadlineMs};
};

TEST_F(ShippedModule, OpensOnThePrefixLogosWithNothingToApply)
{
    WriteSystemLogos();
    bool applyEnabled = true;
    HANDLE shown = nullptr;
    Open([&](HWND d) {
        applyEnabled = Enabled(d, res::IDC_APPLY);
        shown = reinterpret_cast<HANDLE>(::SendDlgItemMessageA(d, res::IDC_PREVIEW, STM_GETIMAGE, IMAGE_BITMAP, 0));
    });
    EXPECT_FALSE(applyEnabled) << "opening changes nothing";
    EXPECT_NE(shown, nullptr) << "the preview shows the start-up logo";
}

TEST_F(ShippedModule, BrowseThenApplyInstallsTheChosenLogoHidden)
{
    WriteSystemLogos();
    const Bytes startUp = ReadBytes(StartUpFile());
    const Bytes chosen = WriteLogo(Picture("sunset.bmp"), 40);
    m_script.WhenWindow(Text(res::IDS_BROWSE_TITLE), [](HWND open) { ChooseFile(open, Picture("sunset.bmp")); });
    bool applyAfterBrowse = false;
    Open([&](HWND d) {
        ASSERT_TRUE(Click(d, res::IDC_SHUTDOWN));
        ASSERT_TRUE(Click(d, res::IDC_BROWSE));
        applyAfterBrowse = Enabled(d, res::IDC_APPLY);
        ASSERT_TRUE(Click(d, res::IDC_APPLY));
    });
    EXPECT_TRUE(applyAfterBrowse);
    EXPECT_EQ(ReadBytes(ShutDownFile()), chosen);
    EXPECT_EQ(ReadBytes(StartUpFile()), startUp);
    EXPECT_EQ(::GetFileAttributesA(ShutDownFile().c_str()) & FILE_ATTRIBUTE_HIDDEN, DWORD{FILE_ATTRIBUTE_HIDDEN});
    const std::optional<RegistryValue> last = Stored("LastLogo", "path");
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->Text(), Picture("sunset.bmp"));
}

TEST_F(ShippedModule, DefaultLogoThenApplyDeletesTheStartUpFile)
{
    WriteSystemLogos();
    const Bytes shutDown = ReadBytes(ShutDownFile());
    Open([&](HWND d) {
        ASSERT_TRUE(Click(d, res::IDC_DEFAULT_LOGO));
        ASSERT_TRUE(Click(d, res::IDC_APPLY));
    });
    EXPECT_EQ(::GetFileAttributesA(StartUpFile().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadBytes(ShutDownFile()), shutDown);
}

TEST_F(ShippedModule, SaveLogoToFileWritesTheShownLogo)
{
    WriteSystemLogos();
    m_script.WhenWindow(Text(res::IDS_SAVE_LOGO_TITLE), [](HWND save) { ChooseFile(save, Picture("copy.bmp")); });
    Open([&](HWND d) { ASSERT_TRUE(Click(d, res::IDC_SAVE_LOGO)); });
    EXPECT_EQ(ReadBytes(Picture("copy.bmp")), ReadBytes(StartUpFile()));
}

TEST_F(ShippedModule, TheEditorSavesAWholeLogoFile)
{
    WriteLogo(StartUpFile(), 8);
    bool editorShown = false;
    m_script.WhenWindow("Animation Options", [&](HWND editor) {
        editorShown = true;
        ASSERT_TRUE(Click(editor, res::IDC_ANIM_SAVE_AS));
    });
    m_script.WhenWindow(Text(res::IDS_SAVE_LOGO_TITLE), [](HWND save) { ChooseFile(save, Picture("saved.bmp")); });
    Open([&](HWND d) { ASSERT_TRUE(Click(d, res::IDC_ANIMATE_LOGO)); });
    EXPECT_TRUE(editorShown);
    EXPECT_EQ(FileSize(Picture("saved.bmp")), 129078);
    const logo::LoadResult back = logo::LoadBmpFile(Picture("saved.bmp"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back.picture->pixels, testing_support::MakeVariedLogo(8).pixels);
}

}  // namespace
}  // namespace scenario
