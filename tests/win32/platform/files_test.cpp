#include "platform/WinTypes.h"

#include "platform/files/FileApi.h"
#include "platform/files/LogoFileWriter.h"
#include "platform/files/ScratchFile.h"
#include "platform/files/UserDirectories.h"

#include "logo/LogoFile.h"
#include "logo/Picture.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

using win32_test::ReadBytes;
using win32_test::TempFolder;
using win32_test::WriteBytes;

constexpr DWORD kVisibleBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

TEST(Win32FileApi, DirectoriesAreTheSystemsAndReportTheNeededSize)
{
    char system[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryA(system, sizeof system);
    char ours[MAX_PATH] = {};
    EXPECT_EQ(platform::GetWindowsDirectoryA(ours, sizeof ours), length);
    EXPECT_STREQ(ours, system);

    char tiny[2] = {'x', 'y'};
    EXPECT_EQ(platform::GetWindowsDirectoryA(tiny, sizeof tiny), length + 1);
    EXPECT_EQ(tiny[0], 'x');

    char folder[MAX_PATH] = {};
    EXPECT_GT(platform::GetSystemDirectoryA(folder, sizeof folder), 0u);
    EXPECT_NE(platform::GetFileAttributesA(folder) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(Win32FileApi, CopyCarriesTheSourcesAttributesAndHonoursFailIfExists)
{
    TempFolder folder;
    const std::string source = folder.File("LOGO.SYS");
    const std::string target = folder.File("copy.sys");
    ASSERT_TRUE(WriteBytes(source, "logo bytes"));
    ASSERT_TRUE(platform::SetFileAttributesA(source, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

    ASSERT_TRUE(platform::CopyFileA(source, target, TRUE));
    EXPECT_EQ(ReadBytes(target), "logo bytes");
    EXPECT_EQ(platform::GetFileAttributesA(target) & kVisibleBits, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    ASSERT_TRUE(WriteBytes(source + ".new", "other"));
    EXPECT_FALSE(platform::CopyFileA(source + ".new", target, TRUE));
    EXPECT_EQ(ReadBytes(target), "logo bytes");
}

TEST(Win32FileApi, DeleteRefusesReadOnlyAndMissingFiles)
{
    TempFolder folder;
    const std::string file = folder.File("logow.sys");
    ASSERT_TRUE(WriteBytes(file, "x"));
    ASSERT_TRUE(platform::SetFileAttributesA(file, FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(platform::DeleteFileA(file));
    EXPECT_NE(platform::GetFileAttributesA(file), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(platform::SetFileAttributesA(file, FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(platform::DeleteFileA(file));
    EXPECT_EQ(platform::GetFileAttributesA(file), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(platform::DeleteFileA(file));
}

TEST(Win32FileApi, PathsAreUsedAsTheyAreAndOverlongOnesRefused)
{
    EXPECT_EQ(platform::ResolveHostPath("C:\\WINDOWS\\LOGOW.SYS"), std::optional<std::string>("C:\\WINDOWS\\LOGOW.SYS"));
    EXPECT_TRUE(platform::HostPathIsTheFile("C:\\WINDOWS\\LOGOW.SYS"));
    EXPECT_FALSE(platform::ResolveHostPath(std::string(MAX_PATH + 10, 'a')));
    EXPECT_EQ(platform::GetFileAttributesA(std::string(MAX_PATH + 10, 'a')), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(platform::ResolveHostPath(""));
}

class Win32LogoWriter : public ::testing::Test {
protected:
    logo::LogoImage image = logo::MakeBlankLogo();
    logo::ColorTable table{};
};

TEST_F(Win32LogoWriter, WritesTheFixedLayoutAndLeavesNoTemporary)
{
    TempFolder folder;
    const std::string target = folder.File("LOGO.SYS");
    image.pixels[0] = 7;
    ASSERT_TRUE(platform::WriteLogoFile(target, image, table, true, 5));
    const std::string bytes = ReadBytes(target);
    EXPECT_EQ(bytes.size(), 129078u);
    const std::vector<std::uint8_t> expected = logo::EncodeLogoFile(image, table, true, 5);
    EXPECT_EQ(bytes, std::string(expected.begin(), expected.end()));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"LOGO.SYS"});
}

TEST_F(Win32LogoWriter, ReplacingKeepsTheOldFilesAttributes)
{
    TempFolder folder;
    const std::string target = folder.File("LOGOS.SYS");
    ASSERT_TRUE(WriteBytes(target, "old"));
    ASSERT_TRUE(::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

    ASSERT_TRUE(platform::WriteLogoFile(target, image, table, false, 0));
    EXPECT_EQ(ReadBytes(target).size(), 129078u);
    EXPECT_EQ(::GetFileAttributesA(target.c_str()) & kVisibleBits, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"LOGOS.SYS"});
}

TEST_F(Win32LogoWriter, RefusesReadOnlyTargetsFoldersAndPicturesThatAreNoLogo)
{
    TempFolder folder;
    const std::string target = folder.File("LOGOW.SYS");
    ASSERT_TRUE(WriteBytes(target, "old"));
    ASSERT_TRUE(::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(platform::WriteLogoFile(target, image, table, false, 0));
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(::GetFileAttributesA(target.c_str()) & kVisibleBits, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));

    EXPECT_FALSE(platform::WriteLogoFile(folder.Path(), image, table, false, 0));

    logo::LogoImage small = image;
    small.height = 10;
    small.pixels.resize(320 * 10);
    EXPECT_FALSE(platform::WriteLogoFile(folder.File("new.sys"), small, table, false, 0));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"LOGOW.SYS"});
}

TEST_F(Win32LogoWriter, AFolderThatIsMissingFailsCleanly)
{
    TempFolder folder;
    EXPECT_FALSE(platform::WriteLogoFile(folder.File("absent\\LOGO.SYS"), image, table, false, 0));
    EXPECT_TRUE(folder.Names().empty());
}

TEST(Win32ScratchFile, LivesInAPrivateFolderThatGoesAwayWithIt)
{
    std::string path;
    std::string folder;
    {
        const platform::ScratchFile scratch("LOGO.SYS");
        ASSERT_TRUE(scratch.IsReady());
        path = scratch.Path();
        folder = path.substr(0, path.find_last_of('\\'));
        EXPECT_EQ(path.substr(path.size() - 9), "\\LOGO.SYS");
        EXPECT_NE(::GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
        ASSERT_TRUE(WriteBytes(path, "scratch"));
        ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
        const platform::ScratchFile other("LOGO.SYS");
        EXPECT_NE(other.Path(), path);
    }
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_FALSE(platform::ScratchFile("..\\escape").IsReady());
}

TEST(Win32UserDirectories, AreExistingFolders)
{
    for (const std::string& folder : {platform::HomeFolder(), platform::DataHome(), platform::ConfigHome()}) {
        ASSERT_FALSE(folder.empty());
        EXPECT_NE(::GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << folder;
    }
}

}  // namespace
