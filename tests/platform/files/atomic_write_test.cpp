// Replacing files on disk: the logo writer and the copy write through
// symbolic links, keep a replaced file's mode, cope with long names and
// clear away what an interrupted write left behind.

#include "common/TestFiles.h"
#include "platform/files/FileSystemTestSupport.h"
#include "platform/files/AtomicReplace.h"
#include "platform/files/FileApi.h"
#include "platform/files/LogoFileWriter.h"

#include "logo/LogoFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using fstest::InstalledDrive;
using fstest::Listing;
using fstest::ModeOf;
using fstest::ReadFile;
using fstest::TempDir;
using fstest::WriteFile;

logo::ColorTable TableOf(const logo::LogoImage& image)
{
    logo::ColorTable table{};
    std::copy(image.colorTable.begin(), image.colorTable.end(), table.begin());
    return table;
}

std::string EncodedLogo(unsigned seed)
{
    const logo::LogoImage image = testing_support::MakeVariedLogo(seed);
    const auto bytes = logo::EncodeLogoFile(image, TableOf(image), false, 0);
    return std::string(bytes.begin(), bytes.end());
}

bool WriteLogo(const std::string& path, unsigned seed)
{
    const logo::LogoImage image = testing_support::MakeVariedLogo(seed);
    return platform::WriteLogoFile(path, image, TableOf(image), false, 0);
}

bool IsSymlink(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

TEST(LogoFileWriter, WritesTheEncodedLayout)
{
    TempDir folder;
    ASSERT_TRUE(WriteLogo(folder.File("out.bmp"), 7));
    EXPECT_EQ(ReadFile(folder.File("out.bmp")), EncodedLogo(7));
    EXPECT_EQ(Listing(folder.Path()), (std::set<std::string>{"out.bmp"}));
}

TEST(LogoFileWriter, RefusesAPictureThatIsNotALogo)
{
    TempDir folder;
    logo::LogoImage small = logo::MakeBlankLogo();
    small.width = 160;
    small.pixels.resize(160 * 400);
    EXPECT_FALSE(platform::WriteLogoFile(folder.File("x.bmp"), small, {}, false, 0));
    EXPECT_TRUE(Listing(folder.Path()).empty());
}

// A failed write never destroys the file that was there, nor leaves a
// temporary behind.
TEST(LogoFileWriter, FailureLeavesTheTargetAndNoTemporary)
{
    TempDir folder;
    std::filesystem::create_directory(folder.File("folder.bmp"));
    EXPECT_FALSE(WriteLogo(folder.File("folder.bmp"), 5));
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("folder.bmp")));

    EXPECT_FALSE(WriteLogo(folder.File("missing/x.bmp"), 5));

    // Read-only target: refused as Windows refuses it, content untouched.
    WriteFile(folder.File("ro.bmp"), "old");
    chmod((folder.File("ro.bmp")).c_str(), 0444);
    EXPECT_FALSE(WriteLogo(folder.File("ro.bmp"), 5));
    EXPECT_EQ(ReadFile(folder.File("ro.bmp")), "old");

    EXPECT_EQ(Listing(folder.Path()), (std::set<std::string>{"folder.bmp", "ro.bmp"}));
}

TEST(LogoFileWriter, ReplacingKeepsThePermissionMode)
{
    TempDir folder;
    WriteFile(folder.File("private.bmp"), "old");
    chmod((folder.File("private.bmp")).c_str(), 0600);
    WriteFile(folder.File("shared.bmp"), "old");
    chmod((folder.File("shared.bmp")).c_str(), 0664);

    ASSERT_TRUE(WriteLogo(folder.File("private.bmp"), 1));
    ASSERT_TRUE(WriteLogo(folder.File("shared.bmp"), 1));

    EXPECT_EQ(ModeOf(folder.File("private.bmp")), 0600u);
    EXPECT_EQ(ModeOf(folder.File("shared.bmp")), 0664u);
}

TEST(LogoFileWriter, NewFileGetsTheModeOfAnyNewFile)
{
    TempDir folder;
    const mode_t saved = umask(022);
    const bool written = WriteLogo(folder.File("new.bmp"), 1);
    umask(saved);
    ASSERT_TRUE(written);
    EXPECT_EQ(ModeOf(folder.File("new.bmp")), 0644u);
}

TEST(LogoFileWriter, NamesUpToTheLongestAllowedWork)
{
    TempDir folder;
    for (const std::size_t length : {235u, 250u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".bmp";
        WriteFile(folder.File(name), "old");
        ASSERT_TRUE(WriteLogo(folder.File(name), 3)) << length;
        EXPECT_EQ(ReadFile(folder.File(name)), EncodedLogo(3)) << length;
        std::filesystem::remove(folder.File(name));
    }
    EXPECT_TRUE(Listing(folder.Path()).empty());
}

// Writing through a link replaces the file it names; the link stays.
TEST(WriteThroughLinks, LogoWriterReplacesTheLinkedFile)
{
    TempDir folder;
    WriteFile(folder.File("real/logo.bmp"), "old");
    ASSERT_EQ(symlink("real/logo.bmp", (folder.File("relative.bmp")).c_str()), 0);
    ASSERT_EQ(symlink((folder.File("relative.bmp")).c_str(), (folder.File("chain.bmp")).c_str()), 0);

    ASSERT_TRUE(WriteLogo(folder.File("chain.bmp"), 4));

    EXPECT_TRUE(IsSymlink(folder.File("chain.bmp")));
    EXPECT_TRUE(IsSymlink(folder.File("relative.bmp")));
    EXPECT_EQ(ReadFile(folder.File("real/logo.bmp")), EncodedLogo(4));
    EXPECT_EQ(Listing(folder.File("real")), (std::set<std::string>{"logo.bmp"}));
}

TEST(WriteThroughLinks, DanglingLinkCreatesTheFileItNames)
{
    TempDir folder;
    std::filesystem::create_directory(folder.File("real"));
    ASSERT_EQ(symlink("real/new.bmp", (folder.File("link.bmp")).c_str()), 0);

    ASSERT_TRUE(WriteLogo(folder.File("link.bmp"), 2));

    EXPECT_TRUE(IsSymlink(folder.File("link.bmp")));
    EXPECT_EQ(ReadFile(folder.File("real/new.bmp")), EncodedLogo(2));
}

TEST(WriteThroughLinks, CopyReplacesTheLinkedFile)
{
    InstalledDrive drive;
    WriteFile(drive.Host("PICS/NEW.BMP"), "new picture");
    WriteFile(drive.Host("ELSEWHERE/LOGOS.SYS"), "old shut-down");
    std::filesystem::create_directory(drive.Host("WINDOWS"));
    ASSERT_EQ(symlink("../ELSEWHERE/LOGOS.SYS", drive.Host("WINDOWS/LOGOS.SYS").c_str()), 0);

    ASSERT_TRUE(platform::CopyFileA("C:\\PICS\\NEW.BMP", "C:\\WINDOWS\\Logos.sys", FALSE));

    EXPECT_TRUE(IsSymlink(drive.Host("WINDOWS/LOGOS.SYS")));
    EXPECT_EQ(ReadFile(drive.Host("ELSEWHERE/LOGOS.SYS")), "new picture");
    EXPECT_EQ(Listing(drive.Host("WINDOWS")), (std::set<std::string>{"LOGOS.SYS"}));
}

class StaleTemporaries : public ::testing::Test {
protected:
    void Plant(const std::string& name) { WriteFile(folder_.File(name), "left by a killed writer"); }
    TempDir folder_;
};

TEST_F(StaleTemporaries, EveryWriterUsesOnePatternThatNeverShowsAfterwards)
{
    EXPECT_TRUE(platform::IsTemporaryFileName(".lumva-a1B2c3.tmp"));
    EXPECT_FALSE(platform::IsTemporaryFileName(".lumva-a1B2c3.tmp2"));
    EXPECT_FALSE(platform::IsTemporaryFileName("LOGO.SYS"));
    EXPECT_FALSE(platform::IsTemporaryFileName(".lumva-.tmp"));

    platform::AtomicReplace replace(folder_.File("target"));
    ASSERT_TRUE(replace.IsOpen());
    EXPECT_TRUE(platform::IsTemporaryFileName(std::filesystem::path(replace.TempPath()).filename().string()));
}

TEST_F(StaleTemporaries, LeftoversAreRemovedBeforeTheNextWrite)
{
    Plant(".lumva-AAAAAA.tmp");
    Plant(".lumva-zz9zz9.tmp");
    Plant(".lumva-notours");
    ASSERT_TRUE(WriteLogo(folder_.File("LOGO.SYS"), 1));
    EXPECT_EQ(Listing(folder_.Path()), (std::set<std::string>{".lumva-notours", "LOGO.SYS"}));

    Plant(".lumva-BBBBBB.tmp");
    InstalledDrive drive;
    WriteFile(drive.Host("SOURCE.BMP"), "picture");
    ASSERT_TRUE(platform::CopyFileA("C:\\SOURCE.BMP", folder_.File("COPY.BMP"), FALSE));
    EXPECT_EQ(Listing(folder_.Path()), (std::set<std::string>{".lumva-notours", "COPY.BMP", "LOGO.SYS"}));
}

TEST_F(StaleTemporaries, ATemporaryStillBeingWrittenIsLeftAlone)
{
    platform::AtomicReplace inProgress(folder_.File("slow"));
    ASSERT_TRUE(inProgress.IsOpen());
    ASSERT_TRUE(WriteLogo(folder_.File("fast"), 1));
    ASSERT_TRUE(inProgress.Write(std::string_view("done")));
    ASSERT_TRUE(inProgress.Commit(true));
    EXPECT_EQ(ReadFile(folder_.File("slow")), "done");
    EXPECT_EQ(Listing(folder_.Path()), (std::set<std::string>{"fast", "slow"}));
}

TEST_F(StaleTemporaries, PlantedFifoOrLinkIsNeitherWaitedForNorFollowed)
{
    ASSERT_EQ(mkfifo((folder_.File(".lumva-fifo00.tmp")).c_str(), 0600), 0);
    WriteFile(folder_.File("precious"), "keep");
    ASSERT_EQ(symlink("precious", (folder_.File(".lumva-link00.tmp")).c_str()), 0);
    ASSERT_TRUE(WriteLogo(folder_.File("LOGO.SYS"), 1));
    EXPECT_EQ(ReadFile(folder_.File("precious")), "keep");
}

}  // namespace
