// lumva-logo apply on a qcow2 image killed with a real SIGKILL, through the
// FUSE view and through the raw copy: while the change is made, while it is
// carried into the image, and at set times. Each time the image stays sound
// (qemu-img check, fsck.fat), LOGOW.SYS is the old or the new picture in
// full, no engine of the killed run goes on running, and the next run
// leaves nothing of it behind.

#include "RunLogoTool.h"
#include "common/FatImages.h"
#include "common/ScopedEnv.h"
#include "common/TestFiles.h"
#include "common/VariedLogoFile.h"
#include "platform/files/FileSystem.h"
#include "platform/files/ImageHolders.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

namespace fs = std::filesystem;
using testing_support::ReadAll;
using testing_support::TempDir;

struct KillCase {
    const char* name;
    bool throughCopy;
    // A stand-in on PATH that kills lumva-logo, its parent, and then does
    // its work or fails; "" for a kill from here after delayMs.
    const char* program;
    const char* script;
    int delayMs;
    int outcome;  // 0: the old picture, 1: the new one, -1: either
};

// Processes whose command line names a private folder of the run pid.
bool EngineOfRunAlive(pid_t pid)
{
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream file(entry.path() / "cmdline");
        const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (text.find("lumivane-view-" + std::to_string(pid) + "-") != std::string::npos ||
            text.find("lumivane-copy-" + std::to_string(pid) + "-") != std::string::npos)
            return true;
    }
    return false;
}

bool LeftoverOfRun(const fs::path& root, pid_t pid)
{
    for (const auto& entry : fs::directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("lumivane-") && name.find("-" + std::to_string(pid) + "-") != std::string::npos)
            return true;
    }
    return false;
}

class KilledApply : public ::testing::TestWithParam<KillCase> {};

TEST_P(KilledApply, LeavesTheImageSoundAndNothingRunning)
{
    if (!testing_support::HasImageTools())
        GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
    const KillCase& kill = GetParam();
    TempDir dir;
    const fs::path run = dir.Path() / "run";
    const fs::path bin = dir.Path() / "bin";
    fs::create_directories(run);
    fs::create_directories(bin);
    testing_support::ScopedEnv runtime("XDG_RUNTIME_DIR", run.string());
    testing_support::ScopedEnv temporary("TMPDIR", run.string());
    testing_support::ScopedEnv cache("XDG_CACHE_HOME", dir.File("cache"));
    testing_support::ScopedEnv noFuse("LUMIVANE_NO_FUSE", kill.throughCopy ? "1" : "");
    const std::string old = testing_support::WriteVariedLogoFile(dir.File("old.bmp"), 21);
    const std::string replacement = testing_support::WriteVariedLogoFile(dir.File("new.bmp"), 22);
    const std::string raw = dir.File("disk.img");
    ASSERT_TRUE(testing_support::MakePartitionedDisk(raw, old));
    const std::string image = dir.File("disk.qcow2");
    ASSERT_TRUE(testing_support::ConvertImage(raw, image, "qcow2", "compat=1.1"));
    if (kill.program[0] != '\0') {
        std::ofstream(bin / kill.program) << "#!/bin/sh\n" << kill.script << "\n";
        fs::permissions(bin / kill.program, fs::perms::owner_all);
    }
    const std::string path = bin.string() + ":" + std::getenv("PATH");
    const std::string drive = "--drive=C:=" + image;

    // The killed run's orphans become ours, so waiting for our children is
    // waiting for every engine it started: a process seen in /proc by its
    // command line can be missed while it execs.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    const pid_t child = fork();
    if (child == 0) {
        setenv("PATH", path.c_str(), 1);
        execl(LUMVA_LOGO_PATH, "lumva-logo", "apply", drive.c_str(), "--preshutdown", replacement.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    if (kill.delayMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kill.delayMs));
        ::kill(child, SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (kill.program[0] != '\0') {
        ASSERT_TRUE(WIFSIGNALED(status)) << "the stand-in did not kill lumva-logo";
    }

    // A carrying over finishes on its own; nothing else may go on.
    bool orphans = true;
    for (int wait = 0; wait < 600 && orphans; ++wait) {
        const pid_t ended = waitpid(-1, nullptr, WNOHANG);
        orphans = ended >= 0 || errno != ECHILD;
        if (ended == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    prctl(PR_SET_CHILD_SUBREAPER, 0);
    EXPECT_FALSE(orphans) << "a program of the killed run still runs after 30 s";
    EXPECT_FALSE(EngineOfRunAlive(child));
    EXPECT_FALSE(platform::IsImageInUseElsewhere(image));

    EXPECT_EQ(testing_support::Shell("qemu-img check -q '" + image + "'"), 0);
    const std::string check = dir.File("check.raw");
    ASSERT_EQ(testing_support::Shell("qemu-img convert -O raw '" + image + "' '" + check + "'"), 0);
    EXPECT_TRUE(testing_support::FsckClean(check, 2048 * 512, 32768 * 512));
    const std::string now = dir.File("now.sys");
    ASSERT_EQ(testing_support::Shell("mcopy -i '" + check + "@@" + std::to_string(2048 * 512) +
                                     "' ::/WINDOWS/LOGOW.SYS '" + now + "'"),
              0);
    const bool isOld = ReadAll(now) == ReadAll(old);
    const bool isNew = ReadAll(now) == ReadAll(replacement);
    EXPECT_TRUE(isOld || isNew);
    if (kill.outcome >= 0) {
        EXPECT_EQ(isNew, kill.outcome == 1);
    }

    // The next run sweeps what the killed one left.
    EXPECT_EQ(testing_support::RunTool({"slots", drive}).status, 0);
    EXPECT_FALSE(LeftoverOfRun(run, child));
    // Its own view goes before the folder it is mounted in.
    platform::SetFileSystem(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Points, KilledApply,
    ::testing::Values(
        KillCase{"FuseWhileChanging", false, "mcopy", "kill -KILL $PPID; exit 1", 0, 0},
        KillCase{"FuseWhileCommitting", false, "qemu-img",
                 "[ \"$1\" = commit ] && kill -KILL $PPID; exec /usr/bin/qemu-img \"$@\"", 0, 1},
        KillCase{"CopyWhileChanging", true, "mcopy", "kill -KILL $PPID; exit 1", 0, 0},
        KillCase{"CopyWhileWritingBack", true, "qemu-io", "kill -KILL $PPID; exec /usr/bin/qemu-io \"$@\"", 0, 1},
        KillCase{"FuseAfter100ms", false, "", "", 100, -1}, KillCase{"FuseAfter250ms", false, "", "", 250, -1},
        KillCase{"FuseAfter500ms", false, "", "", 500, -1}, KillCase{"CopyAfter300ms", true, "", "", 300, -1}),
    [](const ::testing::TestParamInfo<KillCase>& info) { return std::string(info.param.name); });

}  // namespace
