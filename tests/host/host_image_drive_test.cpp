// lumivane on a disk image and on a Wine prefix: the options, the layout
// handed to the module, and the one line a bad image gets.

#include "common/TempDir.h"
#include "CommandLine.h"
#include "HostProcess.h"
#include "InstallationLayout.h"
#include "common/FatImages.h"
#include "common/TestFiles.h"
#include "platform/files/LogoFileWriter.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;
using host::CommandLineParser;
using host::HostOptions;
using host::InstallationLayout;
using testing_support::TempDir;

std::string WriteLogo(const fs::path& path)
{
    const logo::LogoImage picture = testing_support::MakeVariedLogo(9);
    logo::ColorTable table{};
    std::copy_n(picture.colorTable.begin(), table.size(), table.begin());
    platform::WriteLogoFile(path.string(), picture, table, false, 0);
    return path.string();
}

TEST(HostWinePrefix, OptionIsParsedOnce)
{
    const std::vector<std::string> once{"--wine-prefix", "/p"};
    const auto parsed = CommandLineParser::Parse(once);
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->winePrefix, "/p");
    const std::vector<std::string> twice{"--wine-prefix=/p", "--wine-prefix=/q"};
    EXPECT_NE(CommandLineParser::Parse(twice).error.find("given twice"), std::string::npos);
}

TEST(HostWinePrefix, DrivesAndFoldersComeFromThePrefix)
{
    TempDir prefix;
    fs::create_directories(prefix.Path() / "drive_c" / "windows" / "syswow64");
    fs::create_directories(prefix.Path() / "other");
    fs::create_directories(prefix.Path() / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix.Path() / "dosdevices" / "c:");
    fs::create_directory_symlink("../other", prefix.Path() / "dosdevices" / "d:");
    fs::create_symlink("/dev/null", prefix.Path() / "dosdevices" / "d::");

    HostOptions options;
    options.winePrefix = prefix.Path().string();
    std::string error;
    const auto layout = InstallationLayout::FromOptions(options, error);
    ASSERT_TRUE(layout) << error;
    EXPECT_EQ(layout->drives.at('C'), (prefix.Path() / "drive_c").string());
    EXPECT_EQ(layout->drives.at('D'), (prefix.Path() / "other").string());
    EXPECT_EQ(layout->drives.size(), 2u);
    EXPECT_EQ(layout->windowsDir, "C:\\windows");
    EXPECT_EQ(layout->systemDir, "C:\\windows\\system32");
    EXPECT_EQ(layout->systemDirStoredAt, "C:\\windows\\syswow64");

    options.systemDir = "C:\\windows\\system";
    const auto chosen = InstallationLayout::FromOptions(options, error);
    ASSERT_TRUE(chosen) << error;
    EXPECT_FALSE(chosen->systemDirStoredAt);

    HostOptions notAPrefix;
    notAPrefix.winePrefix = (prefix.Path() / "other").string();
    EXPECT_FALSE(InstallationLayout::FromOptions(notAPrefix, error));
    EXPECT_NE(error.find("no Wine prefix"), std::string::npos);
}

#ifdef LUMVA_CPL_BUILT

TEST(HostImageDrive, MainDialogOpensOnAPartitionedImage)
{
    if (!testing_support::HasImageTools())
        GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
    TempDir home;
    const std::string image = (home.Path() / "win98.img").string();
    ASSERT_TRUE(testing_support::MakePartitionedDisk(image, WriteLogo(home.Path() / "logo.bmp")));
    const fs::path png = home.Path() / "main.png";
    const auto run = host_test::RunLumivane({"--drive", "C:=" + image + "@5", "--screenshot", png.string()},
                                            {{"XDG_CONFIG_HOME", (home.Path() / "config").string()},
                                             {"XDG_CACHE_HOME", (home.Path() / "cache").string()},
                                             {"QT_QPA_PLATFORM", "offscreen"}});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(png));
}

// The host checks the image and hands what it opened to the module, which
// does not open it again: one daemon, or one raw copy, per run.
class HostQemuImage : public ::testing::TestWithParam<bool> {};

TEST_P(HostQemuImage, IsOpenedOncePerRun)
{
    if (!testing_support::HasImageTools())
        GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
    const bool throughCopy = GetParam();
    TempDir home;
    const std::string raw = (home.Path() / "win98.img").string();
    ASSERT_TRUE(testing_support::MakePartitionedDisk(raw, WriteLogo(home.Path() / "logo.bmp")));
    const std::string image = (home.Path() / "win98.qcow2").string();
    ASSERT_TRUE(testing_support::ConvertImage(raw, image, "qcow2", "compat=1.1"));
    const fs::path bin = home.Path() / "bin";
    const fs::path log = home.Path() / "engines.log";
    const fs::path runtime = home.Path() / "run";
    fs::create_directories(bin);
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    for (const std::string program : {"qemu-storage-daemon", "qemu-img"}) {
        std::ofstream(bin / program) << "#!/bin/sh\necho \"" << program << " $1\" >> '" << log.string()
                                     << "'\nexec /usr/bin/" << program << " \"$@\"\n";
        fs::permissions(bin / program, fs::perms::owner_all);
    }
    const auto run = host_test::RunLumivane(
        {"--drive", "C:=" + image, "--screenshot", (home.Path() / "main.png").string()},
        {{"XDG_CONFIG_HOME", (home.Path() / "config").string()}, {"XDG_CACHE_HOME", (home.Path() / "cache").string()},
         {"QT_QPA_PLATFORM", "offscreen"}, {"XDG_RUNTIME_DIR", runtime.string()},
         {"PATH", bin.string() + ":" + std::getenv("PATH")},
         {"LUMIVANE_NO_FUSE", throughCopy ? "1" : host_test::kUnset}});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> started = host_test::ReadLines(log);
    EXPECT_EQ(started, std::vector<std::string>{throughCopy ? "qemu-img convert" : "qemu-storage-daemon --blockdev"});
    EXPECT_EQ(run.err, throughCopy ? "lumivane: drive C: image '" + image +
                                         "' is read through a raw copy, which takes longer: qemu's FUSE export cannot "
                                         "be used here (LUMIVANE_NO_FUSE is set)\n"
                                   : "");
}

INSTANTIATE_TEST_SUITE_P(Routes, HostQemuImage, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "ThroughRawCopy" : "ThroughFuseView");
                         });

TEST(HostImageDrive, BadImageIsOneLineAndExitStatusOne)
{
    TempDir home;
    const fs::path notes = home.Path() / "notes.img";
    std::ofstream(notes) << std::string(4096, 'n');
    const auto run = host_test::RunLumivane({"--drive", "C:=" + notes.string(), "--screenshot", "x.png"},
                                            {{"QT_QPA_PLATFORM", "offscreen"}});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "lumivane: drive C: image '" + notes.string() +
                           "' is not a disk image: it starts with neither a partition table nor a FAT boot sector\n");
}

#endif

}  // namespace
