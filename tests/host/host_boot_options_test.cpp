// lumivane finds a Windows installed elsewhere than C:\WINDOWS through the
// WinDir of its MSDOS.SYS, unless told where it is, and refuses a folder on
// a drive it was not given.

#include "CommandLine.h"
#include "InstallationLayout.h"
#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using host::HostOptions;
using host::InstallationLayout;
using testing_support::TempDir;

HostOptions OnDrive(const std::string& drive)
{
    HostOptions options;
    options.drives.push_back({'C', drive});
    return options;
}

TEST(HostBootOptions, WinDirNamesTheFoldersUnlessTheyAreGiven)
{
    TempDir drive;
    fs::create_directories(drive.Path() / "WIN98" / "SYSTEM");
    std::ofstream(drive.Path() / "MSDOS.SYS") << "[Paths]\r\nWinDir=C:\\WIN98\r\n";
    std::string error;
    const auto layout = InstallationLayout::FromOptions(OnDrive(drive.Path().string()), error);
    ASSERT_TRUE(layout) << error;
    EXPECT_EQ(layout->windowsDir, "C:\\WIN98");
    EXPECT_EQ(layout->systemDir, "C:\\WIN98\\SYSTEM");
    EXPECT_EQ(layout->bootNote, "C:\\MSDOS.SYS names the Windows folder C:\\WIN98 (WinDir): using it and "
                                "C:\\WIN98\\SYSTEM");

    HostOptions given = OnDrive(drive.Path().string());
    given.systemDir = "C:\\WIN98\\SYSTEM";
    const auto chosen = InstallationLayout::FromOptions(given, error);
    ASSERT_TRUE(chosen) << error;
    EXPECT_EQ(chosen->windowsDir, "C:\\WINDOWS") << "a folder given on the command line turns the lookup off";
    EXPECT_EQ(chosen->bootNote, "");

    std::ofstream(drive.Path() / "MSDOS.SYS") << "[Paths]\r\nWinDir=D:\\WIN98\r\n";
    EXPECT_FALSE(InstallationLayout::FromOptions(OnDrive(drive.Path().string()), error));
    EXPECT_NE(error.find("map drive D: with --drive"), std::string::npos) << error;
}

}  // namespace
