#include "platform/files/StorageDaemon.h"

#include "platform/files/ChildProcess.h"
#include "platform/files/MountedViews.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// A loaded machine may take long to start a program; a hung one is given up.
constexpr auto kStartLimit = std::chrono::seconds(30);
constexpr auto kStopLimit = std::chrono::seconds(10);

StorageDaemon::Failure FirstComplaint(const std::string& logPath)
{
    std::ifstream log(logPath);
    std::string line;
    std::string first;
    while (std::getline(log, line)) {
        if (!line.empty()) {
            first = line;
            break;
        }
    }
    // "qemu-storage-daemon: --blockdev {...}: Could not open '...': ...":
    // the option's text says nothing to the user, and a path may hold ": ".
    StorageDaemon::Failure failure{first, false};
    const std::string lead = "qemu-storage-daemon: --";
    if (first.starts_with(lead)) {
        failure.exportFailed = first.compare(lead.size(), 6, "export") == 0;
        const std::size_t optionEnd = first.find("}: ");
        if (optionEnd != std::string::npos)
            failure.why = first.substr(optionEnd + 3);
    }
    return failure;
}

// The exit status once the child has ended, or -2 while it runs.
int ExitedWith(pid_t pid, bool block)
{
    int status = 0;
    pid_t done = 0;
    do {
        done = waitpid(pid, &status, block ? 0 : WNOHANG);
    } while (done < 0 && errno == EINTR);
    if (done == 0)
        return -2;
    if (done < 0)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string StorageDaemon::PidFileFor(const std::string& mountPoint)
{
    return mountPoint + ".pid";
}

bool StorageDaemon::Start(const std::vector<std::string>& arguments, const std::string& mountPoint,
                          Failure& failure)
{
    Stop();
    const std::string logPath = mountPoint + ".log";
    std::vector<std::string> argv{"qemu-storage-daemon"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const pid_t pid = StartChild(argv, logPath, SIGTERM);
    if (pid < 0) {
        failure = {"it could not be started", false};
        return false;
    }
    std::ofstream(PidFileFor(mountPoint)) << pid << '\n';
    const auto deadline = Clock::now() + kStartLimit;
    auto pause = std::chrono::microseconds(200);
    while (!IsMountedOn(mountPoint)) {
        const int status = ExitedWith(pid, false);
        if (status != -2 || Clock::now() > deadline) {
            if (status == -2) {
                kill(pid, SIGKILL);
                ExitedWith(pid, true);
                failure = {"it did not mount its view in time", true};
            } else if (status == 127) {
                failure = {"qemu-storage-daemon (qemu-system-common) is not installed", true};
            } else {
                failure = FirstComplaint(logPath);
            }
            if (IsMountedOn(mountPoint))
                Unmount(mountPoint);
            std::remove(PidFileFor(mountPoint).c_str());
            return false;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(5000));
    }
    pid_ = pid;
    mountPoint_ = mountPoint;
    return true;
}

bool StorageDaemon::Stop()
{
    if (pid_ <= 0)
        return false;
    kill(pid_, SIGTERM);
    const auto deadline = Clock::now() + kStopLimit;
    int status = ExitedWith(pid_, false);
    while (status == -2 && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::microseconds(500));
        status = ExitedWith(pid_, false);
    }
    if (status == -2) {
        kill(pid_, SIGKILL);
        ExitedWith(pid_, true);
        status = -1;
    }
    if (IsMountedOn(mountPoint_)) {
        Unmount(mountPoint_);
        status = -1;
    }
    std::remove(PidFileFor(mountPoint_).c_str());
    pid_ = -1;
    return status == 0;
}

void StorageDaemon::Adopt(pid_t pid, const std::string& mountPoint)
{
    Stop();
    pid_ = pid;
    mountPoint_ = mountPoint;
}

}  // namespace platform
