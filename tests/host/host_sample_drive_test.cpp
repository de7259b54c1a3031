// The sample drive: what it holds, that it is made once and then left
// alone, and that a first run killed half-way leaves no half drive.

#include "HostProcess.h"
#include "common/TempDir.h"
#include "host/SampleDrive.h"
#include "common/Unprivileged.h"

#include "logo/BmpReader.h"
#include "logo/LogoCheck.h"
#include "logo/LogoFile.h"
#include "platform/WinTypes.h"
#include "common/ScopedEnv.h"
#include "platform/files/FileApi.h"
#include "platform/files/FileSystem.h"
#include "platform/launch/WinExec.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;

struct SampleFile {
    const char* name;
    const char* path;  // relative to the drive, with the spelling it is created with
    bool hidden;
    std::uint8_t animation;
};

const SampleFile kFiles[] = {
    {"StartUpLogo", "LOGO.SYS", true, 64},
    {"PreShutDownScreen", "WINDOWS/LOGOW.SYS", true, 0},
    {"ShutDownScreen", "WINDOWS/LOGOS.SYS", true, 0},
    {"DefaultPreShutDown", "Program Files/Plus!/Themes/Lumivane/Default/prshtdwn.dat", false, 0},
    {"DefaultShutDown", "Program Files/Plus!/Themes/Lumivane/Default/shtdwn.dat", false, 0},
    {"NewLogoTemplate", "WINDOWS/SYSTEM/New.tpl", false, 0},
};

// Test names in ctest show the case, not its bytes.
void PrintTo(const SampleFile& value, std::ostream* out)
{
    *out << value.name;
}

bool UserAttributesWork(const fs::path& folder)
{
    const fs::path probe = folder / "xattr-probe";
    std::ofstream(probe) << "x";
    const bool works = ::setxattr(probe.c_str(), "user.probe", "1", 1, 0) == 0;
    fs::remove(probe);
    return works;
}

class HostSampleDrive : public testing::Test {
protected:
    fs::path Root() const { return m_parent.Path() / "lumivane" / "drive_c"; }
    void Create()
    {
        std::string error;
        ASSERT_TRUE(host::EnsureSampleDrive(Root(), error)) << error;
    }

    TempDir m_parent;
};

class HostSampleDriveFile : public HostSampleDrive, public testing::WithParamInterface<SampleFile> {};

TEST_P(HostSampleDriveFile, IsALogoPictureWithItsAnimation)
{
    Create();
    const std::string path = (Root() / GetParam().path).string();
    EXPECT_TRUE(logo::HasExactLogoLayout(path)) << path;
    EXPECT_TRUE(logo::IsLogoFile(path));
    std::uint8_t count = 0;
    EXPECT_EQ(logo::ReadAnimationCount(path, count), GetParam().animation != 0);
    EXPECT_EQ(count, GetParam().animation);
}

// A new user's first Boot Screen shows the check's findings: ours has none.
TEST_P(HostSampleDriveFile, PassesTheLogoCheckCleanly)
{
    Create();
    for (const logo::Finding& finding : logo::CheckLogoFile((Root() / GetParam().path).string()))
        ADD_FAILURE() << finding.code << ": " << finding.text;
}

TEST_P(HostSampleDriveFile, IsHiddenExactlyWhenWindowsHidesIt)
{
    Create();
    if (!UserAttributesWork(m_parent.Path()))
        GTEST_SKIP() << "this file system keeps no user extended attributes";
    const DWORD attributes = platform::GetFileAttributesA((Root() / GetParam().path).string());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ((attributes & FILE_ATTRIBUTE_HIDDEN) != 0, GetParam().hidden);
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY), 0u);
}

INSTANTIATE_TEST_SUITE_P(Files, HostSampleDriveFile, testing::ValuesIn(kFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostSampleDrive, HoldsTheHelpTextInMarkdown)
{
    Create();
    const std::string help = host_test::ReadText(Root() / "WINDOWS" / "HELP" / "lumva.hlp");
    EXPECT_TRUE(help.starts_with("# Lumivane Help\n"));
    EXPECT_NE(help.find("## Making an animated logo"), std::string::npos);
    // Everything a user meets beyond the buttons is explained somewhere.
    for (const char* topic : {"**Convert Picture**", "**All Pictures**", "**Boot Screen**", "**Export Animation...**",
                              "**F11**", "**Ctrl+Z**", "**Ctrl+Y**", "drop it onto the Lumivane window",
                              "damaged", "virtual machine's disk", "--drive C:="})
        EXPECT_NE(help.find(topic), std::string::npos) << topic;
}

TEST_F(HostSampleDrive, StartUpLogoCyclesItsLast64EntriesAndUsesThem)
{
    Create();
    const logo::LoadResult loaded = logo::LoadBmpFile((Root() / "LOGO.SYS").string());
    ASSERT_TRUE(loaded.picture) << loaded.error.reason;
    std::size_t cycling = 0;
    for (std::uint8_t index : loaded.picture->pixels)
        cycling += index >= 192;
    // The bar along the bottom alone is 320 x 16 pixels.
    EXPECT_GE(cycling, 320u * 16u);
}

// The sample drive's pbrush.exe run on the template with a PATH that holds
// only the fake programs named, each recording its name and arguments.
struct SampleEditorCase {
    const char* name;
    std::vector<std::string> onPath;
    const char* expectedProgram;  // nullptr: none found
};

void PrintTo(const SampleEditorCase& value, std::ostream* out)
{
    *out << value.name;
}

class HostSampleEditor : public HostSampleDrive, public testing::WithParamInterface<SampleEditorCase> {};

TEST_P(HostSampleEditor, OpensTheTemplateInTheFirstBitmapEditorFound)
{
    Create();
    const fs::path editor = Root() / "WINDOWS" / "PBRUSH.EXE";
    ASSERT_EQ(::access(editor.c_str(), X_OK), 0) << "pbrush.exe is not executable";
    const fs::path bin = m_parent.Path() / "bin";
    const fs::path record = m_parent.Path() / "record.txt";
    fs::create_directories(bin);
    for (const std::string& program : GetParam().onPath) {
        const fs::path fake = bin / program;
        std::ofstream(fake) << "#!/bin/sh\nprintf '%s\\n' " << program << " \"$@\" > '" << record.string() << "'\n";
        fs::permissions(fake, fs::perms::owner_all);
    }
    const fs::path templateFile = Root() / "WINDOWS" / "SYSTEM" / "New.tpl";
    const std::string command = "PATH='" + bin.string() + "' '" + editor.string() + "' '" + templateFile.string() +
                                "' 2>'" + (m_parent.Path() / "err.txt").string() + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    if (GetParam().expectedProgram == nullptr) {
        EXPECT_EQ(WEXITSTATUS(status), 127);
        EXPECT_NE(host_test::ReadText(m_parent.Path() / "err.txt").find("no bitmap editor found"), std::string::npos);
        EXPECT_FALSE(fs::exists(record));
        return;
    }
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(host_test::ReadLines(record), (std::vector<std::string>{GetParam().expectedProgram, templateFile.string()}));
}

INSTANTIATE_TEST_SUITE_P(
    Editors, HostSampleEditor,
    testing::Values(SampleEditorCase{"PintaFirst", {"krita", "gimp", "pinta", "xdg-open"}, "pinta"},
                    SampleEditorCase{"KolourPaintBeforeGimp", {"gimp", "kolourpaint"}, "kolourpaint"},
                    SampleEditorCase{"MtPaintBeforeKrita", {"krita", "mtpaint"}, "mtpaint"},
                    SampleEditorCase{"KritaLast", {"krita", "xdg-open"}, "krita"},
                    SampleEditorCase{"DesktopDefaultOtherwise", {"xdg-open"}, "xdg-open"},
                    SampleEditorCase{"NothingFound", {}, nullptr}),
    [](const testing::TestParamInfo<SampleEditorCase>& info) { return std::string(info.param.name); });

TEST_F(HostSampleDrive, NewLogoStartsTheDefaultEditorOnTheTemplate)
{
    Create();
    const fs::path bin = m_parent.Path() / "bin";
    const fs::path record = m_parent.Path() / "record.txt";
    fs::create_directories(bin);
    std::ofstream(bin / "pinta") << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << record.string() << ".part'\n"
                                       << "mv '" << record.string() << ".part' '" << record.string() << "'\n";
    fs::permissions(bin / "pinta", fs::perms::owner_all);
    const testing_support::ScopedEnv path("PATH", bin.string() + ":/usr/bin:/bin");
    const testing_support::ScopedEnv drive("LUMIVANE_DRIVE_C", Root().string());
    platform::SetFileSystem(nullptr);
    // What New Logo asks for with nothing stored: the Windows folder's pbrush.exe.
    EXPECT_GT(platform::WinExec("C:\\WINDOWS\\pbrush.exe", "C:\\WINDOWS\\SYSTEM\\New.tpl", SW_SHOWNORMAL), 31u);
    for (int i = 0; i < 500 && !fs::exists(record); ++i)
        ::usleep(10000);
    platform::SetFileSystem(nullptr);
    EXPECT_EQ(host_test::ReadLines(record), (std::vector<std::string>{(Root() / "WINDOWS" / "SYSTEM" / "New.tpl").string()}));
}

TEST_F(HostSampleDrive, IsNeverOverwritten)
{
    Create();
    const fs::path logoFile = Root() / "LOGO.SYS";
    std::ofstream(logoFile, std::ios::trunc) << "the user's own";
    fs::remove(Root() / "WINDOWS" / "LOGOS.SYS");
    Create();
    EXPECT_EQ(host_test::ReadText(logoFile), "the user's own");
    EXPECT_FALSE(fs::exists(Root() / "WINDOWS" / "LOGOS.SYS"));
}

TEST_F(HostSampleDrive, AnEmptyExistingFolderIsLeftAlone)
{
    fs::create_directories(Root());
    Create();
    EXPECT_TRUE(fs::is_empty(Root()));
}

TEST_F(HostSampleDrive, FirstRunKilledHalfWayLeavesNoDrive)
{
    // A file size limit below one picture's size kills the child in the
    // middle of writing its first picture, with the tree begun.
    const pid_t child = ::fork();
    if (child == 0) {
        rlimit none{0, 0};
        ::setrlimit(RLIMIT_CORE, &none);
        rlimit small{100000, 100000};
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::signal(SIGXFSZ, SIG_DFL);
        std::string error;
        host::EnsureSampleDrive(Root(), error);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child was expected to die half-way";
    EXPECT_FALSE(fs::exists(Root()));

    // The next run builds the whole drive and clears the leftover.
    Create();
    for (const SampleFile& file : kFiles)
        EXPECT_TRUE(logo::HasExactLogoLayout((Root() / file.path).string())) << file.path;
    for (const fs::directory_entry& entry : fs::directory_iterator(Root().parent_path()))
        EXPECT_EQ(entry.path().filename(), "drive_c");
}

TEST_F(HostSampleDrive, RefusesWhenItsParentCannotBeMade)
{
    const fs::path blocker = m_parent.Path() / "file";
    std::ofstream(blocker) << "x";
    std::string error;
    EXPECT_FALSE(host::EnsureSampleDrive(blocker / "lumivane" / "drive_c", error));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
}

TEST_F(HostSampleDrive, FailedWriteLeavesNoDriveAndSaysWhere)
{
    fs::create_directories(Root().parent_path());
    std::string error;
    bool made = true;
    {
        const testing_support::Unprivileged user(m_parent.Path());
        if (!user.Active())
            GTEST_SKIP() << user.Why();
        fs::permissions(Root().parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
        made = host::EnsureSampleDrive(Root(), error);
        fs::permissions(Root().parent_path(), fs::perms::owner_all);
    }
    EXPECT_FALSE(made);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_empty(Root().parent_path()));
}

TEST(HostSampleDriveLocation, FollowsXdgDataHome)
{
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string previous = saved ? saved : "";
    ::setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(host::DefaultSampleDriveRoot(), fs::path("/data/home/lumivane/drive_c"));
    if (saved)
        ::setenv("XDG_DATA_HOME", previous.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
