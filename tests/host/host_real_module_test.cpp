// lumivane with the real lumva.cpl found beside it, on a fresh sample drive:
// the path make run takes.

#include "HostProcess.h"
#include "common/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using host_test::HostRun;
using host_test::RunLumivane;
using testing_support::TempDir;

#ifdef LUMVA_CPL_BUILT

TEST(HostWithLumvaCpl, ScreenshotOfTheMainDialogOnAFreshSampleDrive)
{
    TempDir home;
    const fs::path png = home.Path() / "main.png";
    const HostRun run = RunLumivane({"--screenshot", png.string()},
                                    {{"XDG_DATA_HOME", (home.Path() / "data").string()},
                                     {"XDG_CONFIG_HOME", (home.Path() / "config").string()},
                                     {"QT_QPA_PLATFORM", "offscreen"}});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("saved to " + png.string()), std::string::npos) << run.out;
    EXPECT_EQ(QImage(QString::fromStdString(png.string())).size(), QSize(600, 388));
    EXPECT_TRUE(fs::exists(home.Path() / "data" / "lumivane" / "drive_c" / "LOGO.SYS"));
}

TEST(HostWithLumvaCpl, ModuleInfoOfTheModuleBesideTheHost)
{
    const HostRun run = RunLumivane({"--module-info"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Name:             Lumivane\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("OriginalFilename: lumva.cpl\n"), std::string::npos) << run.out;
}

#else

TEST(HostWithLumvaCpl, NeedsTheModule)
{
    GTEST_SKIP() << "lumva.cpl is not part of this build";
}

#endif

}  // namespace
