// lumivane finds a Windows installed elsewhere than C:\WINDOWS through the
// WinDir of its MSDOS.SYS, says so in one line, and refuses a folder on a
// drive it was not given.

#include "CommandLine.h"
#include "HostProcess.h"
#include "InstallationLayout.h"
#include "common/FatImages.h"
#include "common/TempDir.h"
#include "common/TestFiles.h"
#include "platform/files/LogoFileWriter.h"

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

#ifdef LUMVA_CPL_BUILT

TEST(HostBootOptions, TheLineIsSaidAndTheDialogOpensOnAnImage)
{
    if (!testing_support::HasImageTools())
        GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
    TempDir home;
    const std::string logo = (home.Path() / "logo.bmp").string();
    const logo::LogoImage picture = testing_support::MakeVariedLogo(4);
    logo::ColorTable table{};
    std::copy_n(picture.colorTable.begin(), table.size(), table.begin());
    platform::WriteLogoFile(logo, picture, table, false, 0);
    const std::string image = (home.Path() / "win98.img").string();
    const std::string msdos = (home.Path() / "MSDOS.SYS").string();
    std::ofstream(msdos) << "[Paths]\r\nWinDir=C:\\WIN98\r\n";
    ASSERT_TRUE(testing_support::MakeFatVolume(image, 16, 16384, logo));
    ASSERT_EQ(testing_support::Shell("mmd -i '" + image + "' ::/WIN98 ::/WIN98/SYSTEM; mcopy -i '" + image + "' '" +
                                     msdos + "' ::/MSDOS.SYS"),
              0);
    const auto run = host_test::RunLumivane({"--drive", "C:=" + image, "--screenshot",
                                             (home.Path() / "main.png").string()},
                                            {{"XDG_CONFIG_HOME", (home.Path() / "config").string()},
                                             {"XDG_CACHE_HOME", (home.Path() / "cache").string()},
                                             {"QT_QPA_PLATFORM", "offscreen"}});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("lumivane: C:\\MSDOS.SYS names the Windows folder C:\\WIN98 (WinDir): using it and "
                           "C:\\WIN98\\SYSTEM\n"),
              std::string::npos)
        << run.out;
}

#endif

}  // namespace
