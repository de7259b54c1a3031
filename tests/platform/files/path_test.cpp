// Windows paths onto host folders: drive table, case-insensitive lookup,
// refusals, and the Windows and system directory queries.

#include "platform/files/FileSystemTestSupport.h"
#include "platform/files/FileApi.h"

#include <gtest/gtest.h>

#include <cstring>

#include <unistd.h>

namespace {

using fstest::InstalledDrive;
using fstest::ScopedEnv;
using fstest::WriteFile;

struct ResolveCase {
    const char* name;
    const char* windowsPath;
    const char* expectedRelative;  // host path below the drive folder
};

class ResolveTest : public ::testing::TestWithParam<ResolveCase> {
protected:
    void SetUp() override
    {
        WriteFile(drive_.Host("LOGO.SYS"), "start");
        WriteFile(drive_.Host("WINDOWS/SYSTEM/NEW.TPL"), "template");
        WriteFile(drive_.Host("WINDOWS/LOGOW.SYS"), "pre");
        WriteFile(drive_.Host("Program Files/Plus!/Themes/Lumivane/Default/PRSHTDWN.DAT"), "default");
        WriteFile(drive_.Host("Program Files/Plus!/Th\u00e8mes/\u00c9t\u00e9"), "accented");
        WriteFile(drive_.Host("\u0160\u0153\u017d\u0178"), "code page 1252 pairs");
    }
    InstalledDrive drive_;
};

TEST_P(ResolveTest, FindsHostSpelling)
{
    const auto resolved = platform::ResolveHostPath(GetParam().windowsPath);
    ASSERT_TRUE(resolved.has_value());
    const std::string relative = GetParam().expectedRelative;
    EXPECT_EQ(*resolved, relative.empty() ? drive_.Folder().Path().string() : drive_.Host(relative));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ResolveTest,
    ::testing::Values(
        ResolveCase{"LowerCaseFindsUpperCase", "C:\\logo.sys", "LOGO.SYS"},
        ResolveCase{"MixedCaseFindsUpperCase", "C:\\Logo.sys", "LOGO.SYS"},
        ResolveCase{"LowerDriveLetterAndSlashes", "c:/LOGO.SYS", "LOGO.SYS"},
        ResolveCase{"NestedFolders", "C:\\windows\\system\\New.tpl", "WINDOWS/SYSTEM/NEW.TPL"},
        ResolveCase{"DoubledSeparator", "C:\\WINDOWS\\\\SYSTEM\\new.tpl", "WINDOWS/SYSTEM/NEW.TPL"},
        ResolveCase{"BlanksAndBang", "C:\\program files\\plus!\\themes\\lumivane\\default\\prshtdwn.dat",
                    "Program Files/Plus!/Themes/Lumivane/Default/PRSHTDWN.DAT"},
        ResolveCase{"NewFileKeepsSpellingAskedFor", "C:\\WINDOWS\\Logos.sys", "WINDOWS/Logos.sys"},
        ResolveCase{"ExistingFileKeepsHostSpelling", "C:\\WINDOWS\\Logow.sys", "WINDOWS/LOGOW.SYS"},
        ResolveCase{"MissingFolderKeepsSpellingBelow", "C:\\Windows\\New Folder\\Sub\\A.txt",
                    "WINDOWS/New Folder/Sub/A.txt"},
        ResolveCase{"DotDotInsideDrive", "C:\\WINDOWS\\SYSTEM\\..\\..\\logo.sys", "LOGO.SYS"},
        ResolveCase{"DotComponents", "C:\\.\\windows\\.\\system", "WINDOWS/SYSTEM"},
        ResolveCase{"TrailingSeparator", "C:\\WINDOWS\\", "WINDOWS"},
        ResolveCase{"TrailingDotIsNoPartOfTheName", "C:\\WINDOWS\\LOGOW.SYS.", "WINDOWS/LOGOW.SYS"},
        ResolveCase{"TrailingBlanksAndDots", "C:\\windows. \\logow.sys . ", "WINDOWS/LOGOW.SYS"},
        ResolveCase{"NewFileLosesTrailingDot", "C:\\WINDOWS\\Logos.sys.", "WINDOWS/Logos.sys"},
        ResolveCase{"LatinOneLettersFoldLikeTheCodePage", "C:\\program files\\plus!\\th\u00c8mes\\\u00e9t\u00c9",
                    "Program Files/Plus!/Th\u00e8mes/\u00c9t\u00e9"},
        ResolveCase{"CodePageLettersBeyondLatinOne", "C:\\\u0161\u0152\u017e\u00ff", "\u0160\u0153\u017d\u0178"},
        ResolveCase{"DriveRoot", "C:\\", ""},
        ResolveCase{"BareDrive", "C:", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResolveRefusal, RefusesWhatCannotBeMapped)
{
    const InstalledDrive drive;
    const char* const refused[] = {
        "C:\\..",                       // above the root
        "C:\\WINDOWS\\..\\..\\etc",     // above the root after going down
        "C:/../../etc/passwd",          // forward slashes too
        "D:\\logo.sys",                 // drive not mapped
        "C:logo.sys",                   // relative to the drive's current folder
        "WINDOWS\\logo.sys",            // relative
        "\\\\server\\share\\logo.sys",  // network name
        "C:\\WINDOWS\\logo.sys:stream", // colon inside a name
        "C:\\WINDOWS\\*.sys",           // wildcard
        "C:\\WINDOWS\\...",             // only dots: no name at all
        "C:\\WINDOWS\\ . \\logo.sys",     // only blanks and dots
        "",
    };
    for (const char* path : refused)
        EXPECT_FALSE(platform::ResolveHostPath(path).has_value()) << path;
    EXPECT_FALSE(platform::ResolveHostPath(std::string("C:\\a\0b", 6)).has_value());
}

TEST(ResolvePreference, ExactSpellingWinsElseFirstInByteOrder)
{
    const InstalledDrive drive;
    WriteFile(drive.Host("logo.sys"), "lower");
    WriteFile(drive.Host("Logo.Sys"), "mixed");
    WriteFile(drive.Host("LOGO.SYS"), "upper");
    EXPECT_EQ(platform::ResolveHostPath("C:\\Logo.Sys"), drive.Host("Logo.Sys"));
    EXPECT_EQ(platform::ResolveHostPath("C:\\logo.sys"), drive.Host("logo.sys"));
    EXPECT_EQ(platform::ResolveHostPath("C:\\lOGO.sys"), drive.Host("LOGO.SYS"));
}

TEST(ResolveHostPaths, PassThroughUnchanged)
{
    const InstalledDrive drive;
    for (const char* path : {"/home/user/My Pictures/logo.bmp", "/tmp/../etc/x", "/", "//double"})
        EXPECT_EQ(platform::ResolveHostPath(path), std::string(path));
}

TEST(ResolveHostPaths, ExistingFileQueriesAcceptHostPaths)
{
    const InstalledDrive drive;
    WriteFile(drive.Host("plain.bmp"), "x");
    EXPECT_EQ(platform::GetFileAttributesA(drive.Host("plain.bmp")), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(platform::CurrentFileSystem().Exists(drive.Host("plain.bmp")));
    EXPECT_TRUE(platform::CurrentFileSystem().Exists("C:\\PLAIN.BMP"));
    EXPECT_FALSE(platform::CurrentFileSystem().Exists("C:\\other.bmp"));
}

// Every LUMIVANE_DRIVE_* variable is taken away for a test and put back after.
class DriveEnvironmentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (char** variable = environ; *variable != nullptr; ++variable) {
            const std::string text = *variable;
            if (text.rfind("LUMIVANE_DRIVE_", 0) == 0)
                saved_.push_back(text);
        }
        for (const auto& text : saved_)
            unsetenv(text.substr(0, text.find('=')).c_str());
    }
    void TearDown() override
    {
        for (const auto& text : saved_) {
            const auto equals = text.find('=');
            setenv(text.substr(0, equals).c_str(), text.substr(equals + 1).c_str(), 1);
        }
        platform::SetFileSystem(nullptr);
    }
    std::vector<std::string> saved_;
};

TEST_F(DriveEnvironmentTest, DriveVariablesMapLetters)
{
    const ScopedEnv c("LUMIVANE_DRIVE_C", "/mnt/win98");
    const ScopedEnv d("LUMIVANE_DRIVE_d", "/srv/data");
    const ScopedEnv bad("LUMIVANE_DRIVE_EE", "/ignored");
    const auto table = platform::DriveTable::FromEnvironment();
    EXPECT_EQ(table.Folder('C'), "/mnt/win98");
    EXPECT_EQ(table.Folder('d'), "/srv/data");
    EXPECT_FALSE(table.Folder('E').has_value());
}

TEST_F(DriveEnvironmentTest, WithoutDriveVariablesCIsTheSampleDrive)
{
    {
        const ScopedEnv data("XDG_DATA_HOME", "/data/home");
        EXPECT_EQ(platform::DriveTable::FromEnvironment().Folder('C'), "/data/home/lumivane/drive_c");
    }
    {
        const ScopedEnv data("XDG_DATA_HOME", std::nullopt);
        const ScopedEnv home("HOME", "/home/someone");
        EXPECT_EQ(platform::DriveTable::FromEnvironment().Folder('C'),
                  "/home/someone/.local/share/lumivane/drive_c");
    }
    {
        const ScopedEnv data("XDG_DATA_HOME", "relative/ignored");
        const ScopedEnv home("HOME", "/home/someone");
        EXPECT_EQ(platform::DriveTable::FromEnvironment().Folder('C'),
                  "/home/someone/.local/share/lumivane/drive_c");
    }
}

TEST_F(DriveEnvironmentTest, DefaultFileSystemIsBuiltFromTheEnvironmentOnFirstUse)
{
    const fstest::TempDir folder;
    WriteFile(folder.File("WINDOWS/LOGOS.SYS"), "shut down");
    const ScopedEnv c("LUMIVANE_DRIVE_C", folder.Path().string());
    platform::SetFileSystem(nullptr);
    EXPECT_EQ(platform::ResolveHostPath("C:\\windows\\logos.sys"), folder.File("WINDOWS/LOGOS.SYS"));
}

struct DirectoryCase {
    const char* name;
    UINT (*query)(char*, UINT);
    const char* variable;
    const char* fallback;
};

class DirectoryQueryTest : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(DirectoryQueryTest, DefaultWithoutVariable)
{
    const ScopedEnv unset(GetParam().variable, std::nullopt);
    char buffer[255];
    const UINT length = GetParam().query(buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer), GetParam().fallback);
    EXPECT_EQ(length, std::strlen(GetParam().fallback));
}

TEST_P(DirectoryQueryTest, VariableOverridesDefault)
{
    const ScopedEnv set(GetParam().variable, "D:\\WIN98\\SYS");
    char buffer[255];
    EXPECT_EQ(GetParam().query(buffer, sizeof buffer), 12u);
    EXPECT_STREQ(buffer, "D:\\WIN98\\SYS");
}

TEST_P(DirectoryQueryTest, SmallBufferGetsNothingAndTheNeededSize)
{
    const ScopedEnv set(GetParam().variable, "C:\\WINDOWS");
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetParam().query(buffer, 10), 11u);  // exactly the length: no room for the NUL
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(GetParam().query(nullptr, 0), 11u);
    EXPECT_EQ(GetParam().query(buffer, 11), 10u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS");
}

INSTANTIATE_TEST_SUITE_P(
    Directories, DirectoryQueryTest,
    ::testing::Values(
        DirectoryCase{"Windows", &platform::GetWindowsDirectoryA, "LUMIVANE_WINDOWS_DIR", "C:\\WINDOWS"},
        DirectoryCase{"System", &platform::GetSystemDirectoryA, "LUMIVANE_SYSTEM_DIR", "C:\\WINDOWS\\SYSTEM"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
