#include "HostProcess.h"
#include "common/TempDir.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace host_test {

HostRun RunLumivane(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment)
{
    testing_support::TempDir output;
    const std::string outPath = (output.Path() / "out").string();
    const std::string errPath = (output.Path() / "err").string();
    std::vector<std::string> argv{LUMIVANE_EXECUTABLE};
    argv.insert(argv.end(), arguments.begin(), arguments.end());

    // Everything is prepared before fork: the child only redirects and execs.
    std::map<std::string, std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text = *variable;
        const std::size_t equals = text.find('=');
        if (equals != std::string::npos)
            variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : environment) {
        if (value == kUnset)
            variables.erase(name);
        else
            variables[name] = value;
    }
    std::vector<std::string> envTexts;
    for (const auto& [name, value] : variables)
        envTexts.push_back(name + "=" + value);
    std::vector<char*> argvPointers;
    for (std::string& argument : argv)
        argvPointers.push_back(argument.data());
    argvPointers.push_back(nullptr);
    std::vector<char*> envPointers;
    for (std::string& text : envTexts)
        envPointers.push_back(text.data());
    envPointers.push_back(nullptr);
    const int outFd = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);

    const pid_t child = ::fork();
    if (child == 0) {
        if (::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0)
            ::_exit(126);
        ::execve(argvPointers[0], argvPointers.data(), envPointers.data());
        ::_exit(127);
    }
    ::close(outFd);
    ::close(errFd);
    HostRun run;
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    run.out = ReadText(outPath);
    run.err = ReadText(errPath);
    return run;
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> ReadLines(const std::filesystem::path& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace host_test
