#include "tests/win32/scenarios/ScenarioFixture.h"

#include "logo/LogoFile.h"
#include "platform/files/LogoFileWriter.h"
#include "platform/ui/Prompts.h"

#include <algorithm>
#include <cstdlib>

namespace scenario {

namespace {

constexpr const char* kSettingsKey = "Software\\Lumivane\\lumva";
constexpr const char* kPictureFolder = "C:\\lumivane-test";

void RemoveFile(const std::string& path)
{
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
}

void RemovePictureFolder()
{
    WIN32_FIND_DATAA entry{};
    const HANDLE search = ::FindFirstFileA((std::string(kPictureFolder) + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                RemoveFile(std::string(kPictureFolder) + "\\" + entry.cFileName);
        } while (::FindNextFileA(search, &entry) != FALSE);
        ::FindClose(search);
    }
    ::RemoveDirectoryA(kPictureFolder);
}

void RemoveSystemLogos()
{
    for (const std::string& file : {StartUpFile(), PreShutDownFile(), ShutDownFile()})
        RemoveFile(file);
}

}  // namespace

std::string WindowsFolder()
{
    char folder[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryA(folder, sizeof folder);
    std::string result(folder, length < sizeof folder ? length : 0);
    if (!result.empty() && result.back() != '\\')
        result += '\\';
    return result;
}

std::string StartUpFile()
{
    return WindowsFolder().substr(0, 3) + "logo.sys";
}

std::string PreShutDownFile()
{
    return WindowsFolder() + "logow.sys";
}

std::string ShutDownFile()
{
    return WindowsFolder() + "logos.sys";
}

std::string Picture(const std::string& name)
{
    return std::string(kPictureFolder) + "\\" + name;
}

Bytes WriteLogo(const std::string& path, unsigned seed, std::uint8_t count)
{
    const logo::LogoImage image = testing_support::MakeVariedLogo(seed);
    logo::ColorTable table{};
    std::copy_n(image.colorTable.begin(), table.size(), table.begin());
    EXPECT_TRUE(platform::WriteLogoFile(path, image, table, count != 0, count)) << path;
    return ReadBytes(path);
}

void WriteSystemLogos()
{
    WriteLogo(StartUpFile(), 1);
    WriteLogo(PreShutDownFile(), 2);
    WriteLogo(ShutDownFile(), 3);
}

std::optional<RegistryValue> Stored(const std::string& section, const std::string& entry)
{
    return win32_test::QueryRegistryValue(std::string(kSettingsKey) + "\\" + section, entry);
}

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

long long FileSize(const std::string& path)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    DWORD high = 0;
    const DWORD low = ::GetFileSize(file, &high);
    ::CloseHandle(file);
    return (static_cast<long long>(high) << 32) | low;
}

void AppletScenario::SetUp()
{
    RemoveSystemLogos();
    RemovePictureFolder();
    win32_test::DeleteRegistryTree(kSettingsKey);
    ASSERT_TRUE(::CreateDirectoryA(kPictureFolder, nullptr));
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
    RemoveSystemLogos();
    RemovePictureFolder();
    win32_test::DeleteRegistryTree(kSettingsKey);
}

int AppletScenario::RunMainDialog(const std::function<void(HWND)>& drive)
{
    m_script.When(m_dialog, [&] { drive(m_dialog.GetSafeHwnd()); });
    return m_dialog.DoModal();
}

}  // namespace scenario
