#include "platform/launch/WinExec.h"

#include "platform/files/DirectoryLookup.h"
#include "platform/files/FileApi.h"
#include "platform/launch/DetachedSpawn.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fstream>
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

// A Windows program: "MZ", then at the offset in e_lfanew (0x3C) the
// signature "PE\0\0". Judged by content, as names on a Windows drive say
// little.
bool IsWindowsProgram(const std::string& hostProgram)
{
    constexpr std::streamoff kNewHeaderOffsetAt = 0x3C;
    std::ifstream in(hostProgram, std::ios::binary);
    std::array<char, 2> dosMagic{};
    if (!in.read(dosMagic.data(), dosMagic.size()) || dosMagic[0] != 'M' || dosMagic[1] != 'Z')
        return false;
    std::array<unsigned char, 4> offsetBytes{};
    if (!in.seekg(kNewHeaderOffsetAt) || !in.read(reinterpret_cast<char*>(offsetBytes.data()), offsetBytes.size()))
        return false;
    std::uint32_t newHeaderOffset = 0;
    for (std::size_t i = 0; i < offsetBytes.size(); ++i)
        newHeaderOffset |= static_cast<std::uint32_t>(offsetBytes[i]) << (8 * i);
    std::array<char, 4> signature{};
    if (!in.seekg(static_cast<std::streamoff>(newHeaderOffset)) || !in.read(signature.data(), signature.size()))
        return false;
    return signature == std::array<char, 4>{'P', 'E', '\0', '\0'};
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

    // A Windows program named as the editor runs under Wine when there is
    // one; without it, it is no program here, as before.
    if (IsWindowsProgram(hostProgram)) {
        const auto wine = FindInSearchPath("wine");
        if (!wine)
            return ERROR_BAD_FORMAT;
        arguments.insert(arguments.begin(), hostProgram);
        const int error = SpawnDetached(*wine, arguments);
        return error == 0 ? WINEXEC_STARTED : MapStartError(error, *wine);
    }

    const int error = SpawnDetached(hostProgram, arguments);
    return error == 0 ? WINEXEC_STARTED : MapStartError(error, hostProgram);
}

}  // namespace platform
