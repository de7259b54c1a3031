#include "platform/files/PrivateFolder.h"

#include "platform/files/ChildProcess.h"
#include "platform/files/MountedViews.h"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace platform {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLead = "lumivane-";

// "lumivane-KIND-PID-XXXXXX" -> PID; 0 for any other name.
long OwnerOf(const std::string& name)
{
    if (!name.starts_with(kLead))
        return 0;
    std::size_t at = kLead.size();
    while (at < name.size() && std::islower(static_cast<unsigned char>(name[at])))
        ++at;
    if (at == kLead.size() || at >= name.size() || name[at] != '-')
        return 0;
    const std::size_t digits = at + 1;
    std::size_t end = digits;
    while (end < name.size() && std::isdigit(static_cast<unsigned char>(name[end])))
        ++end;
    if (end == digits || end + 7 != name.size() || name[end] != '-')
        return 0;
    return std::strtol(name.c_str() + digits, nullptr, 10);
}

bool IsDead(long pid)
{
    return !IsProcessAlive(static_cast<pid_t>(pid));
}

// A daemon whose owner died (it should have quit with it) still serving a
// view in this folder: asked to quit, then killed.
void EndDaemonsIn(const fs::path& folder)
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".pid")
            continue;
        long pid = 0;
        std::ifstream(entry.path()) >> pid;
        std::ifstream commandLine("/proc/" + std::to_string(pid) + "/cmdline");
        const std::string text((std::istreambuf_iterator<char>(commandLine)), std::istreambuf_iterator<char>());
        if (pid <= 0 || text.find(folder.string() + "/") == std::string::npos)
            continue;
        kill(static_cast<pid_t>(pid), SIGTERM);
        for (int wait = 0; wait < 200 && !IsDead(pid); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!IsDead(pid))
            kill(static_cast<pid_t>(pid), SIGKILL);
    }
}

void RemoveLeftoversIn(const std::string& root)
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root, error)) {
        const long pid = OwnerOf(entry.path().filename().string());
        if (pid <= 0 || !IsDead(pid) || !entry.is_directory(error))
            continue;
        EndDaemonsIn(entry.path());
        for (const std::string& mountPoint : MountPointsUnder(entry.path().string()))
            Unmount(mountPoint);
        fs::remove_all(entry.path(), error);
    }
}

}  // namespace

std::string TemporaryRoot()
{
    for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] == '/')
            return value;
    }
    return "/tmp";
}

std::string LargeTemporaryRoot()
{
    const char* value = std::getenv("TMPDIR");
    return value != nullptr && value[0] == '/' ? value : "/var/tmp";
}

void RemoveLeftoversOfDeadRuns()
{
    RemoveLeftoversIn(TemporaryRoot());
    if (LargeTemporaryRoot() != TemporaryRoot())
        RemoveLeftoversIn(LargeTemporaryRoot());
}

std::string MakePrivateFolder(const std::string& root, std::string_view kind)
{
    RemoveLeftoversOfDeadRuns();
    std::string pattern = root + "/" + std::string(kind) + "-" + std::to_string(getpid()) + "-XXXXXX";
    return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

bool IsOwnPrivateFolder(const std::string& folder, const std::string& root, std::string_view kind)
{
    const std::string lead = root + "/" + std::string(kind) + "-" + std::to_string(getpid()) + "-";
    return folder.starts_with(lead) && folder.size() == lead.size() + 6 &&
           folder.find('/', lead.size()) == std::string::npos && fs::is_directory(folder);
}

}  // namespace platform
