// The sample drive: what it holds, that it is made once and then left
// alone, and that a first run killed half-way leaves no half drive.

#include "HostProcess.h"
#include "SampleDrive.h"
#include "../common/Unprivileged.h"

#include "logo/BmpReader.h"
#include "logo/LogoFile.h"
#include "platform/WinTypes.h"
#include "platform/fs/FileApi.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using host_test::TempFolder;

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

    TempFolder m_parent;
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
