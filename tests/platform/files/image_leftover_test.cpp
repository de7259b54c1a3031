// What a run leaves and what the next one does about it: a dead run's view
// still mounted, its daemon still running, its folders; a temporary file
// beside an image; and a disk handed from the host's copy of this code to
// the module's, which adopts it instead of opening it again.

#include "common/FatImages.h"
#include "common/ScopedEnv.h"
#include "common/TestFiles.h"
#include "common/VariedLogoFile.h"
#include "platform/files/ChildProcess.h"
#include "platform/files/FileSystem.h"
#include "platform/files/ImageDriveCheck.h"
#include "platform/files/MountedViews.h"
#include "platform/files/PrivateFolder.h"
#include "platform/files/QemuDisks.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

namespace fs = std::filesystem;
using testing_support::Shell;
using testing_support::TempDir;

class ImageLeftovers : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testing_support::HasImageTools())
            GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
        fs::create_directories(run_);
        testing_support::WriteVariedLogoFile(dir_.File("logo.bmp"), 41);
        ASSERT_TRUE(testing_support::MakeFatVolume(dir_.File("volume.img"), 12, 1440, dir_.File("logo.bmp")));
        image_ = dir_.File("disk.qcow2");
        ASSERT_TRUE(testing_support::ConvertImage(dir_.File("volume.img"), image_, "qcow2", "compat=1.1"));
    }
    // What a check kept open is mounted in run_: it goes first.
    void TearDown() override { platform::SetFileSystem(nullptr); }
    // The id of a process that has ended.
    static pid_t DeadProcess()
    {
        const pid_t child = fork();
        if (child == 0)
            _exit(0);
        waitpid(child, nullptr, 0);
        return child;
    }
    // A view of the image in folder, its daemon no child of ours (as one a
    // dead run started), its process id where ours are kept.
    pid_t ServeView(const fs::path& folder) const
    {
        fs::create_directories(folder);
        const std::string view = (folder / "disk.raw").string();
        std::ofstream(view).close();
        EXPECT_EQ(Shell("(qemu-storage-daemon --blockdev driver=file,node-name=f,read-only=on,filename='" + image_ +
                        "' --blockdev driver=qcow2,node-name=d,file=f,read-only=on --export "
                        "type=fuse,id=v,node-name=d,mountpoint='" + view + "' </dev/null >/dev/null 2>&1 & echo $! > '" +
                        view + ".pid')"),
                  0);
        for (int wait = 0; wait < 600 && !platform::IsMountedOn(view); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_TRUE(platform::IsMountedOn(view));
        pid_t pid = 0;
        std::ifstream(view + ".pid") >> pid;
        EXPECT_GT(pid, 0);
        return pid;
    }

    TempDir dir_;
    fs::path run_ = dir_.Path() / "run";
    testing_support::ScopedEnv runtime_{"XDG_RUNTIME_DIR", run_.string()};
    testing_support::ScopedEnv temporary_{"TMPDIR", run_.string()};
    testing_support::ScopedEnv cache_{"XDG_CACHE_HOME", dir_.File("cache")};
    std::string image_;
};

TEST_F(ImageLeftovers, DeadRunsViewsDaemonsAndFoldersGoAtTheNextRun)
{
    const pid_t dead = DeadProcess();
    const fs::path serving = run_ / ("lumivane-view-" + std::to_string(dead) + "-aaaaaa");
    const pid_t daemon = ServeView(serving);
    ASSERT_GT(daemon, 0);
    // A view whose daemon was killed outright: mounted, but nobody answers.
    const fs::path orphaned = run_ / ("lumivane-view-" + std::to_string(dead) + "-bbbbbb");
    const pid_t killed = ServeView(orphaned);
    ASSERT_GT(killed, 0);
    kill(killed, SIGKILL);
    const fs::path copy = run_ / ("lumivane-copy-" + std::to_string(dead) + "-cccccc");
    fs::create_directories(copy);
    std::ofstream(copy / "disk.raw") << "raw";
    const fs::path living = run_ / ("lumivane-view-" + std::to_string(getpid()) + "-dddddd");
    fs::create_directories(living);

    platform::RemoveLeftoversOfDeadRuns();
    for (const fs::path& folder : {serving, orphaned, copy})
        EXPECT_FALSE(fs::exists(folder)) << folder;
    EXPECT_TRUE(platform::MountPointsUnder(run_.string()).empty());
    EXPECT_FALSE(platform::IsProcessAlive(daemon));
    EXPECT_TRUE(fs::exists(living));
}

TEST_F(ImageLeftovers, TemporaryBesideTheImageGoesAtTheNextOpen)
{
    const std::string stale = dir_.File(".lumva-a1B2c3.tmp");
    std::ofstream(stale) << std::string(4096, 'x');
    EXPECT_EQ(platform::CheckImageDrive(image_).problem, "");
    EXPECT_FALSE(fs::exists(stale));
}

class HandedOverDisk : public ImageLeftovers, public ::testing::WithParamInterface<bool> {};

TEST_P(HandedOverDisk, IsAdoptedNotOpenedAgain)
{
    testing_support::ScopedEnv noFuse("LUMIVANE_NO_FUSE", GetParam() ? "1" : "");
    auto first = platform::OpenQemuDisk(image_, "qcow2", "qcow2", true);
    ASSERT_TRUE(first.disk) << first.problem;
    const std::string rawPath = first.disk->RawPath();
    platform::HandOverQemuDisks();
    ASSERT_NE(std::getenv("LUMIVANE_OPEN_DISKS"), nullptr);
    auto adopted = platform::OpenQemuDisk(image_, "qcow2", "qcow2", false);
    ASSERT_TRUE(adopted.disk);
    EXPECT_NE(adopted.disk, first.disk);
    EXPECT_EQ(adopted.disk->RawPath(), rawPath);
    EXPECT_EQ(adopted.note, first.note);
    EXPECT_EQ(std::getenv("LUMIVANE_OPEN_DISKS"), nullptr);
    EXPECT_EQ(platform::IsMountedOn(rawPath), !GetParam());
    ASSERT_TRUE(adopted.disk->BeginChange());
    EXPECT_TRUE(adopted.disk->EndChange(true));
    // The handing side has let go; once the adopter does, nothing is left.
    first.disk.reset();
    EXPECT_TRUE(adopted.disk->Ready());
    adopted.disk.reset();
    EXPECT_FALSE(fs::exists(fs::path(rawPath).parent_path()));
    EXPECT_TRUE(platform::MountPointsUnder(run_.string()).empty());
}

INSTANTIATE_TEST_SUITE_P(Routes, HandedOverDisk, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "ThroughRawCopy" : "ThroughFuseView");
                         });

}  // namespace
