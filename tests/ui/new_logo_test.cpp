// New Logo: the template check, the read-only mark and the launch of the
// editor with the template as its single argument.

#include "AppletUiFixture.h"
#include "common/FatImages.h"
#include "common/ScopedEnv.h"
#include "editor/NewLogo.h"
#include "platform/files/FileApi.h"
#include "slots/SystemLocations.h"

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace appletui {
namespace {

class NewLogoTest : public AppletUiTest {
protected:
    SystemLocations Locations() const { return DetermineLocations(); }

    void MakeTemplate() { WriteFile(SystemFolder() / "New.tpl", "BM template"); }

    // A shell script that records its arguments, one a line, after their count.
    std::filesystem::path MakeRecorder(const std::filesystem::path& script)
    {
        const std::filesystem::path record = Root() / "arguments.txt";
        WriteFile(script, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + record.string() + ".part'\nmv '" +
                              record.string() + ".part' '" + record.string() + "'\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        return record;
    }

    static std::vector<std::string> WaitForLines(const std::filesystem::path& file)
    {
        for (int i = 0; i < 500 && !std::filesystem::exists(file); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::vector<std::string> lines;
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    const platform::MessageBoxRequest* OnlyMessage() const
    {
        return m_prompts.MessageBoxes().size() == 1 ? &m_prompts.MessageBoxes()[0].request : nullptr;
    }
};

TEST_F(NewLogoTest, MissingTemplateNamesTheSystemDirectoryAndStartsNothing)
{
    const std::filesystem::path script = Root() / "editor.sh";
    const std::filesystem::path record = MakeRecorder(script);
    StartNewLogo(nullptr, Locations(), script.string());
    const platform::MessageBoxRequest* box = OnlyMessage();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text,
              "The new logo template was not found. Please ensure that file C:\\WINDOWS\\SYSTEM\\new.tpl exists.");
    EXPECT_EQ(box->caption, "Error");
    EXPECT_EQ(box->type, MB_OK | MB_ICONHAND);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(std::filesystem::exists(record));
}

TEST_F(NewLogoTest, EditorGetsTheTemplateHostPathAsItsOnlyArgument)
{
    MakeTemplate();
    const std::filesystem::path script = Root() / "logo editor" / "draw it.sh";
    const std::filesystem::path record = MakeRecorder(script);
    StartNewLogo(nullptr, Locations(), script.string());
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
    const std::vector<std::string> lines = WaitForLines(record);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], (SystemFolder() / "New.tpl").string());
}

TEST_F(NewLogoTest, EditorGivenAsAWindowsPathWithBlanksStartsToo)
{
    MakeTemplate();
    const std::filesystem::path record = MakeRecorder(Drive() / "Program Files" / "Logo Tools" / "edit.sh");
    StartNewLogo(nullptr, Locations(), "C:\\Program Files\\Logo Tools\\edit.sh");
    const std::vector<std::string> lines = WaitForLines(record);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], (SystemFolder() / "New.tpl").string());
}

TEST_F(NewLogoTest, TemplateEndsReadOnlyOnlyWhateverItWasBefore)
{
    MakeTemplate();
    platform::SetFileAttributesA("C:\\WINDOWS\\SYSTEM\\New.tpl", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const std::filesystem::path script = Root() / "editor.sh";
    MakeRecorder(script);
    StartNewLogo(nullptr, Locations(), script.string());
    EXPECT_EQ(platform::GetFileAttributesA("C:\\WINDOWS\\SYSTEM\\New.tpl"), FILE_ATTRIBUTE_READONLY);
}

struct Unstartable {
    const char* name;
    const char* program;  // relative to the test folder; a Windows path when it starts with C:
    bool createAsPlainFile;
};

class NewLogoLaunchFailureTest : public NewLogoTest, public ::testing::WithParamInterface<Unstartable> {};

TEST_P(NewLogoLaunchFailureTest, ReportsThatTheEditorCouldNotStart)
{
    MakeTemplate();
    std::string program = GetParam().program;
    if (program.rfind("C:", 0) != 0) {
        const std::filesystem::path path = Root() / program;
        if (GetParam().createAsPlainFile)
            WriteFile(path, "not a program");
        program = path.string();
    }
    StartNewLogo(nullptr, Locations(), program);
    const platform::MessageBoxRequest* box = OnlyMessage();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text, "Could not start the Logo Editor. Click Logo Editor button to choose a different logo editor");
    EXPECT_EQ(box->caption, "Error");
    EXPECT_EQ(box->type, MB_OK | MB_ICONHAND);
    // The template was marked before the launch was tried.
    EXPECT_EQ(platform::GetFileAttributesA("C:\\WINDOWS\\SYSTEM\\New.tpl"), FILE_ATTRIBUTE_READONLY);
}

INSTANTIATE_TEST_SUITE_P(Programs, NewLogoLaunchFailureTest,
                         ::testing::Values(Unstartable{"DefaultPaintMissing", "C:\\WINDOWS\\pbrush.exe", false},
                                           Unstartable{"MissingHostProgram", "no such editor", false},
                                           Unstartable{"NotExecutable", "plain.txt", true}),
                         [](const ::testing::TestParamInfo<Unstartable>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace appletui

namespace appletui {
namespace {

// On a drive inside a disk image the editor gets a read-only host copy of
// the template in the cache folder; the template in the image is marked
// read-only there.
TEST_F(NewLogoTest, TemplateInsideAnImageReachesTheEditorAsAReadOnlyCacheCopy)
{
    if (!testing_support::HasImageTools())
        GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
    MakeTemplate();
    const std::string image = (Root() / "disk.img").string();
    ASSERT_TRUE(testing_support::PackFolder(Drive().string(), image, true));
    std::filesystem::remove_all(Drive());
    testing_support::ScopedEnv cache("XDG_CACHE_HOME", (Root() / "cache").string());
    testing_support::ScopedEnv drive("LUMIVANE_DRIVE_C", image + "@1");
    platform::SetFileSystem(nullptr);

    const std::filesystem::path script = Root() / "editor.sh";
    const std::filesystem::path record = MakeRecorder(script);
    StartNewLogo(nullptr, Locations(), script.string());
    const std::vector<std::string> lines = WaitForLines(record);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1].rfind((Root() / "cache").string(), 0), 0u) << lines[1];
    EXPECT_EQ(testing_support::ReadAll(lines[1]), (std::vector<std::uint8_t>{'B', 'M', ' ', 't', 'e', 'm', 'p', 'l', 'a', 't', 'e'}));
    struct stat info {};
    ASSERT_EQ(stat(lines[1].c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0222, 0u);
    EXPECT_EQ(platform::GetFileAttributesA("C:\\WINDOWS\\SYSTEM\\New.tpl"), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(testing_support::MattribLine(image, 2048 * 512, "::/WINDOWS/SYSTEM/New.tpl"), "       R");
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
}

}  // namespace
}  // namespace appletui
