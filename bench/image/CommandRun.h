#pragma once
// One whole command timed as a user runs it: from the start of the process
// to its exit, with the bytes it and its children wrote (rusage, the
// figure /usr/bin/time shows as %O) and the most extra disk it took while it
// ran (a sampler adds up the allocated size of every file below a folder,
// mounted views left out, against the size before the start).

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace imagebench {

struct CommandFigures {
    double seconds = 0;
    int status = -1;
    std::uint64_t bytesWritten = 0;
    std::uint64_t extraDisk = 0;
};

// Allocated bytes of the files below root on root's own file system.
inline std::uint64_t AllocatedBelow(const std::filesystem::path& root)
{
    namespace fs = std::filesystem;
    struct stat top {};
    if (stat(root.c_str(), &top) != 0)
        return 0;
    std::uint64_t total = 0;
    std::error_code error;
    for (fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error), end;
         it != end; it.increment(error)) {
        struct stat info {};
        if (lstat(it->path().c_str(), &info) != 0 || info.st_dev != top.st_dev) {
            if (it->is_directory(error))
                it.disable_recursion_pending();
            continue;
        }
        total += static_cast<std::uint64_t>(info.st_blocks) * 512;
    }
    return total;
}

inline CommandFigures RunCommand(const std::vector<std::string>& argv,
                                 const std::vector<std::pair<std::string, std::string>>& environment,
                                 const std::vector<std::filesystem::path>& watched)
{
    std::uint64_t before = 0;
    for (const auto& folder : watched)
        before += AllocatedBelow(folder);
    std::atomic<bool> running{true};
    std::atomic<std::uint64_t> peak{before};
    std::thread sampler([&] {
        while (running) {
            std::uint64_t now = 0;
            for (const auto& folder : watched)
                now += AllocatedBelow(folder);
            if (now > peak)
                peak = now;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });

    std::vector<std::string> arguments = argv;
    std::vector<char*> pointers;
    for (std::string& argument : arguments)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        for (const auto& [name, value] : environment)
            setenv(name.c_str(), value.c_str(), 1);
        execv(pointers[0], pointers.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    CommandFigures figures;
    figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    running = false;
    sampler.join();
    figures.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    figures.bytesWritten = static_cast<std::uint64_t>(usage.ru_oublock) * 512;
    figures.extraDisk = peak > before ? peak - before : 0;
    return figures;
}

}  // namespace imagebench
