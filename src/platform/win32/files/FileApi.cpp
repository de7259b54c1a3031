#include "platform/WinTypes.h"
#include "platform/files/FileApi.h"

namespace platform {

UINT GetWindowsDirectoryA(char* buffer, UINT size)
{
    return ::GetWindowsDirectoryA(buffer, size);
}

UINT GetSystemDirectoryA(char* buffer, UINT size)
{
    return ::GetSystemDirectoryA(buffer, size);
}

}  // namespace platform
