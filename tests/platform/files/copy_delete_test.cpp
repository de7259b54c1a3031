// CopyFileA and DeleteFileA with Windows rules: atomic replacement, carried
// attributes, and the refusals.

#include "platform/files/FileSystemTestSupport.h"
#include "platform/files/FileApi.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using fstest::InstalledDrive;
using fstest::Listing;
using fstest::ModeOf;
using fstest::PathExists;
using fstest::ReadFile;
using fstest::WriteFile;

class CopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFile(drive_.Host("LOGO.SYS"), "old start-up");
        WriteFile(drive_.Host("WINDOWS/LOGOW.SYS"), "old pre-shut-down");
        WriteFile(drive_.Host("PICS/NEW LOGO.BMP"), "new picture");
    }
    std::set<std::string> Names(const std::string& relative = "") const
    {
        return Listing(relative.empty() ? drive_.Folder().Path().string() : drive_.Host(relative));
    }
    InstalledDrive drive_;
};

TEST_F(CopyTest, NewTargetGetsSpellingAskedForAndNoTemporaryFile)
{
    EXPECT_TRUE(platform::CopyFileA("C:\\pics\\new logo.bmp", "C:\\WINDOWS\\Logos.sys", FALSE));
    EXPECT_EQ(ReadFile(drive_.Host("WINDOWS/Logos.sys")), "new picture");
    EXPECT_EQ(Names("WINDOWS"), (std::set<std::string>{"LOGOW.SYS", "Logos.sys"}));
}

TEST_F(CopyTest, OverwritesExistingFileUnderItsHostName)
{
    EXPECT_TRUE(platform::CopyFileA("C:\\PICS\\NEW LOGO.BMP", "C:\\Logo.sys", FALSE));
    EXPECT_EQ(ReadFile(drive_.Host("LOGO.SYS")), "new picture");
    EXPECT_EQ(Names(), (std::set<std::string>{"LOGO.SYS", "PICS", "WINDOWS"}));
}

TEST_F(CopyTest, HostPathsOnEitherSide)
{
    EXPECT_TRUE(platform::CopyFileA(drive_.Host("PICS/NEW LOGO.BMP"), "C:\\logo.sys", FALSE));
    EXPECT_EQ(ReadFile(drive_.Host("LOGO.SYS")), "new picture");
    EXPECT_TRUE(platform::CopyFileA("C:\\windows\\logow.sys", drive_.Host("PICS/saved.bmp"), FALSE));
    EXPECT_EQ(ReadFile(drive_.Host("PICS/saved.bmp")), "old pre-shut-down");
}

TEST_F(CopyTest, LargeFileIsByteForByte)
{
    std::string bytes(1 << 20, '\0');
    std::mt19937 random(7);
    for (auto& byte : bytes)
        byte = static_cast<char>(random());
    WriteFile(drive_.Host("PICS/BIG.BMP"), bytes);
    EXPECT_TRUE(platform::CopyFileA("C:\\pics\\big.bmp", "C:\\big copy.bmp", FALSE));
    EXPECT_EQ(ReadFile(drive_.Host("big copy.bmp")), bytes);
}

TEST_F(CopyTest, CarriesTheSourcesAttributes)
{
    if (!fstest::UserXattrsWork(drive_.Folder().Path()))
        GTEST_SKIP() << "user extended attributes are not supported here";
    const DWORD all = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(platform::SetFileAttributesA("C:\\windows\\logow.sys", all));
    EXPECT_TRUE(platform::CopyFileA("C:\\windows\\logow.sys", "C:\\saved.bmp", FALSE));
    EXPECT_EQ(platform::GetFileAttributesA("C:\\saved.bmp"), all);
    EXPECT_EQ(fstest::DosAttrib(drive_.Host("saved.bmp")), "0x6");
    EXPECT_EQ(ModeOf(drive_.Host("saved.bmp")) & 0222, 0u);

    // A plain source gives a plain copy, even over a file that was hidden.
    ASSERT_TRUE(platform::SetFileAttributesA("C:\\logo.sys", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(platform::CopyFileA("C:\\pics\\new logo.bmp", "C:\\logo.sys", FALSE));
    EXPECT_EQ(platform::GetFileAttributesA("C:\\logo.sys"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(fstest::DosAttrib(drive_.Host("LOGO.SYS")).has_value());
}

struct RefusedCopy {
    const char* name;
    const char* source;
    const char* target;
    BOOL failIfExists;
};

class CopyRefusal : public CopyTest, public ::testing::WithParamInterface<RefusedCopy> {};

TEST_P(CopyRefusal, LeavesEverythingAsItWas)
{
    std::filesystem::create_directories(drive_.Host("WINDOWS/FOLDER"));
    const auto before = Names();
    const auto beforeWindows = Names("WINDOWS");
    EXPECT_FALSE(platform::CopyFileA(GetParam().source, GetParam().target, GetParam().failIfExists));
    EXPECT_EQ(ReadFile(drive_.Host("LOGO.SYS")), "old start-up");
    EXPECT_EQ(ReadFile(drive_.Host("WINDOWS/LOGOW.SYS")), "old pre-shut-down");
    EXPECT_EQ(Names(), before);
    EXPECT_EQ(Names("WINDOWS"), beforeWindows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CopyRefusal,
    ::testing::Values(
        RefusedCopy{"SelfSamePath", "C:\\LOGO.SYS", "C:\\LOGO.SYS", FALSE},
        RefusedCopy{"SelfOtherCase", "C:\\logo.sys", "C:\\Logo.SYS", FALSE},
        RefusedCopy{"SelfThroughDotDot", "C:\\logo.sys", "C:\\windows\\..\\LOGO.sys", FALSE},
        RefusedCopy{"MissingSource", "C:\\pics\\gone.bmp", "C:\\logo.sys", FALSE},
        RefusedCopy{"MissingSourceNewTarget", "C:\\pics\\gone.bmp", "C:\\WINDOWS\\Logos.sys", FALSE},
        RefusedCopy{"SourceIsFolder", "C:\\windows\\folder", "C:\\WINDOWS\\Logos.sys", FALSE},
        RefusedCopy{"TargetIsFolder", "C:\\logo.sys", "C:\\WINDOWS\\folder", FALSE},
        RefusedCopy{"FailIfExists", "C:\\pics\\new logo.bmp", "C:\\windows\\LOGOW.sys", TRUE},
        RefusedCopy{"TargetFolderMissing", "C:\\logo.sys", "C:\\NOWHERE\\Logo.sys", FALSE},
        RefusedCopy{"EscapingTarget", "C:\\logo.sys", "C:\\..\\Logo.sys", FALSE},
        RefusedCopy{"UnmappedDrive", "C:\\logo.sys", "Q:\\Logo.sys", FALSE}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CopyTest, FailIfExistsCopiesToNewName)
{
    EXPECT_TRUE(platform::CopyFileA("C:\\logo.sys", "C:\\WINDOWS\\Logos.sys", TRUE));
    EXPECT_EQ(ReadFile(drive_.Host("WINDOWS/Logos.sys")), "old start-up");
}

TEST_F(CopyTest, RefusesReadOnlyTarget)
{
    chmod(drive_.Host("LOGO.SYS").c_str(), 0444);
    EXPECT_FALSE(platform::CopyFileA("C:\\pics\\new logo.bmp", "C:\\logo.sys", FALSE));
    EXPECT_EQ(ReadFile(drive_.Host("LOGO.SYS")), "old start-up");
    EXPECT_EQ(Names(), (std::set<std::string>{"LOGO.SYS", "PICS", "WINDOWS"}));
}

TEST_F(CopyTest, RefusesHardLinkToSource)
{
    ASSERT_EQ(link(drive_.Host("LOGO.SYS").c_str(), drive_.Host("LINKED.SYS").c_str()), 0);
    EXPECT_FALSE(platform::CopyFileA("C:\\logo.sys", "C:\\linked.sys", FALSE));
    EXPECT_EQ(ReadFile(drive_.Host("LOGO.SYS")), "old start-up");
}

TEST_F(CopyTest, ReadFailureHalfwayLeavesNoTemporaryFile)
{
    // Opening succeeds (a regular file by its mode) but reading fails at once.
    EXPECT_FALSE(platform::CopyFileA("/proc/self/mem", "C:\\logo.sys", FALSE));
    EXPECT_FALSE(platform::CopyFileA("/proc/self/mem", "C:\\WINDOWS\\Logos.sys", FALSE));
    EXPECT_EQ(ReadFile(drive_.Host("LOGO.SYS")), "old start-up");
    EXPECT_EQ(Names(), (std::set<std::string>{"LOGO.SYS", "PICS", "WINDOWS"}));
    EXPECT_EQ(Names("WINDOWS"), (std::set<std::string>{"LOGOW.SYS"}));
}

TEST_F(CopyTest, DeleteRemovesFileFoundIgnoringCase)
{
    EXPECT_TRUE(platform::DeleteFileA("C:\\Logo.sys"));
    EXPECT_FALSE(PathExists(drive_.Host("LOGO.SYS")));
    EXPECT_FALSE(platform::DeleteFileA("C:\\Logo.sys"));  // already gone
}

TEST_F(CopyTest, DeleteRefusesReadOnlyFilesAndFolders)
{
    chmod(drive_.Host("LOGO.SYS").c_str(), 0444);
    EXPECT_FALSE(platform::DeleteFileA("C:\\logo.sys"));
    EXPECT_TRUE(PathExists(drive_.Host("LOGO.SYS")));
    EXPECT_FALSE(platform::DeleteFileA("C:\\windows"));
    EXPECT_TRUE(PathExists(drive_.Host("WINDOWS/LOGOW.SYS")));
    EXPECT_FALSE(platform::DeleteFileA("C:\\..\\LOGO.SYS"));

    // Clearing read-only, as Apply does first, makes the file deletable.
    EXPECT_TRUE(platform::SetFileAttributesA("C:\\logo.sys", FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(platform::DeleteFileA("C:\\logo.sys"));
}

}  // namespace
