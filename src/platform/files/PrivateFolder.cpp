#include "platform/files/PrivateFolder.h"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace platform {

namespace {

void RemoveOrphaned(const std::string& root, const std::string& lead)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(lead))
            continue;
        const long pid = std::strtol(name.c_str() + lead.size(), nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            std::filesystem::remove_all(entry.path(), error);
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

std::string MakePrivateFolder(const std::string& root, std::string_view prefix)
{
    const std::string lead = std::string(prefix) + "-";
    RemoveOrphaned(root, lead);
    std::string pattern = root + "/" + lead + std::to_string(getpid()) + "-XXXXXX";
    return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

}  // namespace platform
