#include "platform/launch/DetachedSpawn.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

// Between fork and exec only async-signal-safe calls are allowed (the
// parent may have other threads), so everything is prepared beforehand.
pid_t ForkInChild()
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    return _Fork();
#else
    return fork();
#endif
}

[[noreturn]] void ReportAndExit(int pipeFd, int error)
{
    ssize_t written;
    do
        written = write(pipeFd, &error, sizeof error);
    while (written < 0 && errno == EINTR);
    _exit(127);
}

[[noreturn]] void RunProgram(const char* program, char* const* argv, int pipeFd)
{
    setpgid(0, 0);
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal)
        sigaction(signal, &defaults, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);

    const int nullInput = open("/dev/null", O_RDONLY);
    if (nullInput < 0 || dup2(nullInput, STDIN_FILENO) < 0)
        ReportAndExit(pipeFd, errno);
    if (nullInput != STDIN_FILENO)
        close(nullInput);
#ifdef CLOSE_RANGE_CLOEXEC
    // Whatever else is open here (the applet's files, sockets) is not the program's.
    close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
#endif
    execve(program, argv, environ);
    ReportAndExit(pipeFd, errno);
}

}  // namespace

int SpawnDetached(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<std::string> storage;
    storage.reserve(arguments.size() + 1);
    storage.push_back(program);
    storage.insert(storage.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& text : storage)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    // The write end closes on a successful exec; a failure writes its errno.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return errno;

    const pid_t intermediate = fork();
    if (intermediate < 0) {
        const int error = errno;
        close(report[0]);
        close(report[1]);
        return error;
    }
    if (intermediate == 0) {
        close(report[0]);
        const pid_t child = ForkInChild();
        if (child < 0)
            ReportAndExit(report[1], errno);
        if (child > 0)
            _exit(0);
        RunProgram(storage.front().c_str(), argv.data(), report[1]);
    }

    close(report[1]);
    int status = 0;
    while (waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    do
        got = read(report[0], &error, sizeof error);
    while (got < 0 && errno == EINTR);
    close(report[0]);
    if (got == static_cast<ssize_t>(sizeof error))
        return error != 0 ? error : EIO;
    return 0;
}

}  // namespace platform
