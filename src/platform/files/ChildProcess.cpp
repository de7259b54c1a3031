#include "platform/files/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <iterator>
#include <sstream>
#include <cerrno>
#include <string_view>

namespace platform {

namespace {

std::vector<std::string> ChildEnvironmentLines(const ChildEnvironment& environment)
{
    std::vector<std::string> lines;
    for (char** variable = environ; variable != nullptr && *variable != nullptr; ++variable) {
        const std::string_view text = *variable;
        const std::string_view name = text.substr(0, text.find('='));
        bool keep = true;
        for (const std::string& prefix : environment.droppedPrefixes)
            keep = keep && !name.starts_with(prefix);
        for (const auto& [setName, value] : environment.set)
            keep = keep && name != setName;
        if (keep)
            lines.emplace_back(text);
    }
    for (const auto& [name, value] : environment.set)
        lines.push_back(name + "=" + value);
    return lines;
}

std::vector<char*> Pointers(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Only async-signal-safe calls between fork and exec. deathSignal 0: none.
[[noreturn]] void ExecChild(char* const* argv, char* const* envp, int outFd, int errFd, pid_t parent, int deathSignal)
{
    if (deathSignal != 0) {
        prctl(PR_SET_PDEATHSIG, deathSignal);
        if (getppid() != parent)
            _exit(127);
    }
    setpgid(0, 0);
    const int nullFd = open("/dev/null", O_RDONLY);
    if (nullFd >= 0)
        dup2(nullFd, STDIN_FILENO);
    dup2(outFd, STDOUT_FILENO);
    dup2(errFd, STDERR_FILENO);
    execvpe(argv[0], argv, envp);
    _exit(127);
}

void Drain(int outFd, int errFd, std::string& out, std::string& err)
{
    std::array<pollfd, 2> fds{pollfd{outFd, POLLIN, 0}, pollfd{errFd, POLLIN, 0}};
    std::array<std::string*, 2> sinks{&out, &err};
    std::array<char, 65536> buffer{};
    int open = 2;
    while (open > 0) {
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            const ssize_t got = read(fds[i].fd, buffer.data(), buffer.size());
            if (got > 0) {
                sinks[i]->append(buffer.data(), static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

}  // namespace

ChildResult RunChild(const std::vector<std::string>& argv, const ChildEnvironment& environment,
                     ChildLifetime lifetime)
{
    ChildResult result;
    if (argv.empty())
        return result;
    std::vector<std::string> arguments = argv;
    std::vector<std::string> lines = ChildEnvironmentLines(environment);
    const std::vector<char*> argPointers = Pointers(arguments);
    const std::vector<char*> envPointers = Pointers(lines);

    int outPipe[2];
    int errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0)
        return result;
    if (pipe2(errPipe, O_CLOEXEC) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return result;
    }
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0)
        ExecChild(argPointers.data(), envPointers.data(), outPipe[1], errPipe[1], parent,
                  lifetime == ChildLifetime::DiesWithUs ? SIGKILL : 0);
    close(outPipe[1]);
    close(errPipe[1]);
    if (child > 0) {
        Drain(outPipe[0], errPipe[0], result.out, result.err);
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        result.started = !(WIFEXITED(status) && WEXITSTATUS(status) == 127);
        result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    close(outPipe[0]);
    close(errPipe[0]);
    return result;
}

pid_t StartChild(const std::vector<std::string>& argv, const std::string& logPath, int deathSignal)
{
    if (argv.empty())
        return -1;
    std::vector<std::string> arguments = argv;
    std::vector<std::string> lines = ChildEnvironmentLines({});
    const std::vector<char*> argPointers = Pointers(arguments);
    const std::vector<char*> envPointers = Pointers(lines);
    const int logFd = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (logFd < 0)
        return -1;
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0)
        ExecChild(argPointers.data(), envPointers.data(), logFd, logFd, parent, deathSignal);
    close(logFd);
    return child;
}

namespace {

// /proc/PID/stat: "PID (NAME) STATE PPID ...", and NAME may hold blanks.
bool ReadState(pid_t pid, std::string& state, long& parent)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos)
        return false;
    std::istringstream rest(text.substr(nameEnd + 1));
    rest >> state >> parent;
    return !state.empty();
}

}  // namespace

bool IsProcessAlive(pid_t pid)
{
    std::string state;
    long parent = 0;
    return pid > 0 && ReadState(pid, state, parent) && state != "Z" && state != "X";
}

bool IsOwnChild(pid_t pid)
{
    std::string state;
    long parent = 0;
    return pid > 0 && ReadState(pid, state, parent) && state != "Z" && state != "X" && parent == getpid();
}

}  // namespace platform
