// MSDOS.SYS: reading the options Windows 95 and 98 write, turning the
// start-up logo on and off byte for byte, telling the DOS kernel apart, and
// the Windows folder it names.

#include "common/MsdosSysLayouts.h"
#include "platform/files/BootOptions.h"
#include "platform/files/BootWindowsFolder.h"
#include "platform/files/FileSystemTestSupport.h"

#include <gtest/gtest.h>

namespace {

using platform::BootOptions;
using platform::BootOptionsKind;

// `text` with `inserted` put in front of the first occurrence of `before`.
std::string InsertedBefore(std::string text, const std::string& before, const std::string& inserted)
{
    return text.insert(text.find(before), inserted);
}

struct LayoutCase {
    const char* name;
    std::string (*layout)();
    const char* lastOption;  // the line Logo=0 follows
};

// ctest lists the case by its name.
void PrintTo(const LayoutCase& c, std::ostream* os)
{
    *os << c.name;
}

class WindowsLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(WindowsLayoutTest, LogoOffAddsOneLineAndOnChangesOnlyItsValue)
{
    const std::string original = GetParam().layout();
    const BootOptions options = BootOptions::Parse(original);
    ASSERT_EQ(options.Kind(), BootOptionsKind::Text);
    EXPECT_EQ(options.Value("paths", "windir"), "C:\\WINDOWS");
    EXPECT_EQ(options.Value("Paths", "HostWinBootDrv"), "C");
    EXPECT_EQ(options.Value("Options", "Logo"), std::nullopt);
    EXPECT_FALSE(options.IsOff("Options", "BootGUI"));

    const std::string off = options.WithLogo(false);
    const std::string afterLast = std::string(GetParam().lastOption) + "\r\n";
    EXPECT_EQ(off, InsertedBefore(original, ";\r\n;The following", "Logo=0\r\n"));
    EXPECT_NE(off.find(afterLast + "Logo=0\r\n"), std::string::npos);
    EXPECT_TRUE(BootOptions::Parse(off).IsOff("Options", "Logo"));

    const std::string on = BootOptions::Parse(off).WithLogo(true);
    EXPECT_EQ(on, InsertedBefore(original, ";\r\n;The following", "Logo=1\r\n"));
    EXPECT_EQ(options.WithLogo(true), original) << "on is Windows's default: nothing to write";
}

INSTANTIATE_TEST_SUITE_P(Msdos, WindowsLayoutTest,
                         ::testing::Values(LayoutCase{"Windows95", testing_support::Windows95MsdosSys, "Network=1"},
                                           LayoutCase{"Windows98", testing_support::Windows98MsdosSys,
                                                      "WinVer=4.10.1998"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RewriteCase {
    const char* name;
    std::string before;
    bool on;
    std::string after;
};

void PrintTo(const RewriteCase& c, std::ostream* os)
{
    *os << c.name;
}

class LogoRewriteTest : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(LogoRewriteTest, ChangesOnlyTheLogoLine)
{
    EXPECT_EQ(BootOptions::Parse(GetParam().before).WithLogo(GetParam().on), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Msdos, LogoRewriteTest,
    ::testing::Values(
        RewriteCase{"ValueInPlaceWithBlanksKept", "[options]\r\n logo = 1 \r\nX=1\r\n", false,
                    "[options]\r\n logo = 0 \r\nX=1\r\n"},
        RewriteCase{"EveryLogoLineOfOptions", "[Options]\r\nLogo=1\r\nLogo=1\r\n[Other]\r\nLogo=1\r\n", false,
                    "[Options]\r\nLogo=0\r\nLogo=0\r\n[Other]\r\nLogo=1\r\n"},
        RewriteCase{"EmptyValue", "[Options]\r\nLogo=\r\n", false, "[Options]\r\nLogo=0\r\n"},
        RewriteCase{"LineEndsOfTheFileKept", "[Options]\nBootGUI=1\n;pad\n", false,
                    "[Options]\nBootGUI=1\nLogo=0\n;pad\n"},
        RewriteCase{"LastLineWithoutLineEnd", "[Options]\r\nBootGUI=1", false, "[Options]\r\nBootGUI=1\r\nLogo=0\r\n"},
        RewriteCase{"SectionAppendedBeforeEndOfFileMark", "[Paths]\r\nWinDir=C:\\WIN\x1A", false,
                    "[Paths]\r\nWinDir=C:\\WIN\r\n[Options]\r\nLogo=0\r\n\x1A"},
        RewriteCase{"FirstOptionsSectionTakesTheLine", "[Options]\r\nA=1\r\n[Paths]\r\n[Options]\r\nB=1\r\n", false,
                    "[Options]\r\nA=1\r\nLogo=0\r\n[Paths]\r\n[Options]\r\nB=1\r\n"},
        RewriteCase{"EmptyFile", "", false, "[Options]\r\nLogo=0\r\n"},
        RewriteCase{"OnWithoutLineChangesNothing", "[Options]\r\nBootGUI=0\r\n", true, "[Options]\r\nBootGUI=0\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BootOptionsTest, ShorterValueKeepsTheFileAtLeast1024Bytes)
{
    std::string text = "[Options]\r\nLogo=000\r\n;" + std::string(1000, 'x') + "\r\n";
    text.insert(text.size() - 2, 1024 - text.size(), 'x');
    ASSERT_EQ(text.size(), 1024u);
    const std::string changed = BootOptions::Parse(text).WithLogo(true);
    EXPECT_EQ(changed.size(), 1024u);
    EXPECT_EQ(changed.substr(0, 19), "[Options]\r\nLogo=1\r\n");
    EXPECT_EQ(changed.substr(changed.size() - 4), "xx\r\n");

    const std::string noComment = "[Options]\r\nLogo=0000\r\n" + std::string(1024 - 22, 'A');
    EXPECT_GE(BootOptions::Parse(noComment).WithLogo(false).size(), 1024u);
    EXPECT_NE(BootOptions::Parse(noComment).WithLogo(false).find("\r\n;xxx\r\n"), std::string::npos);
}

TEST(BootOptionsTest, DosKernelIsToldApartAndLeftAlone)
{
    const BootOptions kernel = BootOptions::Parse(testing_support::DosKernelMsdosSys());
    EXPECT_EQ(kernel.Kind(), BootOptionsKind::DosBinary);
    EXPECT_EQ(kernel.Value("Paths", "WinDir"), std::nullopt);
    EXPECT_EQ(kernel.WithLogo(false), testing_support::DosKernelMsdosSys());
}

TEST(BootOptionsTest, ReadingRefusesLongTextButKnowsALongKernel)
{
    fstest::TempDir dir;
    std::string error;
    fstest::WriteFile(dir.File("text"), std::string(platform::kBootOptionsMaxBytes + 1, 'x'));
    EXPECT_FALSE(platform::ReadBootOptions(dir.File("text"), error));
    EXPECT_NE(error.find("64 KB"), std::string::npos);
    fstest::WriteFile(dir.File("kernel"), testing_support::DosKernelMsdosSys() + std::string(70000, 'x'));
    const auto kernel = platform::ReadBootOptions(dir.File("kernel"), error);
    ASSERT_TRUE(kernel);
    EXPECT_EQ(kernel->Kind(), BootOptionsKind::DosBinary);
    EXPECT_FALSE(platform::ReadBootOptions(dir.File("missing"), error));
}

struct FolderCase {
    const char* name;
    const char* winDir;         // the WinDir line's value; nullptr for no MSDOS.SYS
    const char* windowsDir;     // what follows
    bool notes;
    bool fails;
};

void PrintTo(const FolderCase& c, std::ostream* os)
{
    *os << c.name;
}

class WindowsFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(WindowsFolderTest, FollowsWinDirOnlyToAFolderThatIsThere)
{
    fstest::InstalledDrive drive;
    std::filesystem::create_directories(drive.Host("WIN98/SYSTEM"));
    const FolderCase& c = GetParam();
    if (c.winDir != nullptr)
        fstest::WriteFile(drive.Host("msdos.sys"), "[Paths]\r\nWinDir=" + std::string(c.winDir) + "\r\n");
    const platform::BootWindowsFolder found = platform::WindowsFolderFromBootOptions(
        platform::CurrentFileSystem(), "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(found.windowsDir, c.windowsDir);
    EXPECT_EQ(found.systemDir, std::string(c.windowsDir) + "\\SYSTEM");
    EXPECT_EQ(!found.note.empty(), c.notes) << found.note;
    EXPECT_EQ(!found.error.empty(), c.fails) << found.error;
}

INSTANTIATE_TEST_SUITE_P(
    Msdos, WindowsFolderTest,
    ::testing::Values(FolderCase{"NoMsdosSys", nullptr, "C:\\WINDOWS", false, false},
                      FolderCase{"SameFolderAnyCase", "c:\\windows\\", "C:\\WINDOWS", false, false},
                      FolderCase{"OtherFolder", "c:\\win98\\", "C:\\win98", true, false},
                      FolderCase{"UnmappedDrive", "D:\\WIN98", "C:\\WINDOWS", false, true},
                      FolderCase{"NoWindowsPath", "WIN98", "C:\\WINDOWS", true, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
