#pragma once
// Runs the built lumivane as a child process, with extra environment, and
// collects its exit status and output.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace host_test {

struct HostRun {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

// environment: NAME -> value to set, or NAME -> "\x7f" to unset.
HostRun RunLumivane(const std::vector<std::string>& arguments,
                    const std::map<std::string, std::string>& environment = {});

inline const std::string kUnset = "\x7f";

std::string ReadText(const std::filesystem::path& path);
std::vector<std::string> ReadLines(const std::filesystem::path& path);

}  // namespace host_test
