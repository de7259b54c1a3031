#include "WinExec.h"

#include "../fs/DirectoryLookup.h"
#include "../fs/FileApi.h"
#include "DetachedSpawn.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

namespace {

bool IsBareName(const std::string& program)
{
    return program.find_first_of("/\\:") == std::string::npos;
}

std::optional<std::string> FindInSearchPath(const std::string& name)
{
    const char* variable = std::getenv("PATH");
    std::string_view folders = variable != nullptr && variable[0] != '\0' ? variable : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const auto colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        const std::string candidate = JoinHostPath(folder.empty() ? "." : std::string(folder), name);
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (colon == std::string_view::npos)
            return std::nullopt;
        folders.remove_prefix(colon + 1);
    }
}

bool FolderExists(const std::string& hostPath)
{
    const auto slash = hostPath.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : hostPath.substr(0, slash);
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

UINT MapStartError(int error, const std::string& hostProgram)
{
    switch (error) {
    case ENOENT:
        // Windows tells a missing file from a missing folder on its way.
        return FolderExists(hostProgram) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case ETXTBSY:
        return ERROR_ACCESS_DENIED;
    case ENOEXEC:
    case ELIBBAD:
        return ERROR_BAD_FORMAT;
    case ENOMEM:
    case E2BIG:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return ERROR_OUT_OF_RESOURCES;
    }
}

}  // namespace

UINT WinExec(const std::string& program, const std::string& argument, int showCmd)
{
    static_cast<void>(showCmd);
    if (program.empty())
        return ERROR_FILE_NOT_FOUND;

    std::string hostProgram;
    if (IsBareName(program)) {
        const auto found = FindInSearchPath(program);
        if (!found)
            return ERROR_FILE_NOT_FOUND;
        hostProgram = *found;
    } else {
        const auto resolved = ResolveHostPath(program);
        if (!resolved)
            return ERROR_PATH_NOT_FOUND;
        hostProgram = *resolved;
    }

    std::vector<std::string> arguments;
    if (!argument.empty())
        arguments.push_back(ResolveHostPath(argument).value_or(argument));

    const int error = SpawnDetached(hostProgram, arguments);
    return error == 0 ? WINEXEC_STARTED : MapStartError(error, hostProgram);
}

}  // namespace platform
