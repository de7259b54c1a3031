#include "platform/files/FileApi.h"

#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

std::string FromEnvironment(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' ? value : fallback;
}

UINT CopyOut(const std::string& value, char* buffer, UINT size)
{
    const auto length = static_cast<UINT>(value.size());
    if (buffer == nullptr || size <= length)
        return length + 1;
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
    return length;
}

}  // namespace

UINT GetWindowsDirectoryA(char* buffer, UINT size)
{
    return CopyOut(FromEnvironment("LUMIVANE_WINDOWS_DIR", "C:\\WINDOWS"), buffer, size);
}

UINT GetSystemDirectoryA(char* buffer, UINT size)
{
    return CopyOut(FromEnvironment("LUMIVANE_SYSTEM_DIR", "C:\\WINDOWS\\SYSTEM"), buffer, size);
}

}  // namespace platform
