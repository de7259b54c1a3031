// Functions the compiler's runtime (std::filesystem, file streams) imports
// but Windows 98 lacks: kernel32's GetFileSizeEx, CreateHardLinkW and the
// volume enumeration (Windows 2000), and msvcrt's _fstat64 and _wstat64
// (msvcrt 7). An unresolved import stops the whole module from loading, so
// the import slots are defined here instead: each finds the system's own
// function at run time and, where it is missing, does what Windows 98 can,
// or fails the way a system without the feature fails.
// Built into the 32-bit module only; 64-bit Windows has all of them.

#include "platform/win32/module/NarrowFileCalls.h"
#include "platform/win32/module/SystemFunction.h"

#include <windows.h>

#include <sys/stat.h>

#include <cerrno>
#include <string>

namespace {

using platform::win32::LateBoundFunction;

// The system's own functions, where it has them (constinit: see SystemFunction.h).
constinit LateBoundFunction<BOOL(WINAPI*)(HANDLE, PLARGE_INTEGER)> g_getFileSizeEx{"kernel32.dll", "GetFileSizeEx"};
constinit LateBoundFunction<BOOL(WINAPI*)(LPCWSTR, LPCWSTR, LPSECURITY_ATTRIBUTES)> g_createHardLinkW{
    "kernel32.dll", "CreateHardLinkW"};
constinit LateBoundFunction<HANDLE(WINAPI*)(LPWSTR, DWORD)> g_findFirstVolumeW{"kernel32.dll", "FindFirstVolumeW"};
constinit LateBoundFunction<BOOL(WINAPI*)(HANDLE, LPWSTR, DWORD)> g_findNextVolumeW{"kernel32.dll", "FindNextVolumeW"};
constinit LateBoundFunction<BOOL(WINAPI*)(HANDLE)> g_findVolumeClose{"kernel32.dll", "FindVolumeClose"};
constinit LateBoundFunction<int(__cdecl*)(int, struct _stat64*)> g_fstat64{"msvcrt.dll", "_fstat64"};
constinit LateBoundFunction<int(__cdecl*)(int, struct _stat32i64*)> g_fstati64{"msvcrt.dll", "_fstati64"};
constinit LateBoundFunction<int(__cdecl*)(const wchar_t*, struct _stat64*)> g_wstat64{"msvcrt.dll", "_wstat64"};
constinit LateBoundFunction<int(__cdecl*)(const wchar_t*, struct _stat32i64*)> g_wstati64{"msvcrt.dll", "_wstati64"};
constinit LateBoundFunction<int(__cdecl*)(const char*, struct _stat32i64*)> g_stati64{"msvcrt.dll", "_stati64"};

BOOL WINAPI FileSizeEx(HANDLE file, PLARGE_INTEGER size)
{
    const auto system = g_getFileSizeEx.Get();
    if (system != nullptr)
        return system(file, size);
    DWORD high = 0;
    const DWORD low = ::GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)
        return FALSE;
    size->LowPart = low;
    size->HighPart = static_cast<LONG>(high);
    return TRUE;
}

// FAT has no hard links.
BOOL WINAPI HardLinkW(LPCWSTR link, LPCWSTR target, LPSECURITY_ATTRIBUTES security)
{
    const auto system = platform::win32::WideSystemFunction(g_createHardLinkW);
    if (system != nullptr)
        return system(link, target, security);
    ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

HANDLE WINAPI FirstVolumeW(LPWSTR name, DWORD length)
{
    const auto system = platform::win32::WideSystemFunction(g_findFirstVolumeW);
    if (system != nullptr)
        return system(name, length);
    ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return INVALID_HANDLE_VALUE;
}

BOOL WINAPI NextVolumeW(HANDLE search, LPWSTR name, DWORD length)
{
    const auto system = platform::win32::WideSystemFunction(g_findNextVolumeW);
    if (system != nullptr)
        return system(search, name, length);
    ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

BOOL WINAPI VolumeClose(HANDLE search)
{
    const auto system = g_findVolumeClose.Get();
    if (system != nullptr)
        return system(search);
    ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

// msvcrt 6 has the same calls with 32-bit times (_fstati64, _wstati64).
void Widen(const struct _stat32i64& from, struct _stat64& to)
{
    to.st_dev = from.st_dev;
    to.st_ino = from.st_ino;
    to.st_mode = from.st_mode;
    to.st_nlink = from.st_nlink;
    to.st_uid = from.st_uid;
    to.st_gid = from.st_gid;
    to.st_rdev = from.st_rdev;
    to.st_size = from.st_size;
    to.st_atime = from.st_atime;
    to.st_mtime = from.st_mtime;
    to.st_ctime = from.st_ctime;
}

int __cdecl FileStat64(int descriptor, struct _stat64* result)
{
    const auto system = g_fstat64.Get();
    const auto narrow = g_fstati64.Get();
    if (system != nullptr)
        return system(descriptor, result);
    struct _stat32i64 status {};
    if (narrow == nullptr || narrow(descriptor, &status) != 0)
        return -1;
    Widen(status, *result);
    return 0;
}

int __cdecl PathStat64W(const wchar_t* path, struct _stat64* result)
{
    struct _stat32i64 status {};
    // Windows 9x: the ANSI call, even where its msvcrt has the wide ones
    // (they end in the system's failing calls).
    if (platform::win32::OnWindows9x()) {
        const auto ansi = g_stati64.Get();
        std::string ansiPath;
        if (!platform::win32::narrow::ToAnsi(path, ansiPath)) {
            errno = ENOENT;
            return -1;
        }
        if (ansi == nullptr || ansi(ansiPath.c_str(), &status) != 0)
            return -1;
    } else if (const auto system = g_wstat64.Get(); system != nullptr) {
        return system(path, result);
    } else if (const auto narrow = g_wstati64.Get(); narrow == nullptr || narrow(path, &status) != 0) {
        return -1;
    }
    Widen(status, *result);
    return 0;
}

}  // namespace

// The import slots, under the names the runtime's references use.
extern "C" {
void* g_fileSizeEx asm("__imp__GetFileSizeEx@8") = reinterpret_cast<void*>(&FileSizeEx);
void* g_hardLinkW asm("__imp__CreateHardLinkW@12") = reinterpret_cast<void*>(&HardLinkW);
void* g_firstVolumeW asm("__imp__FindFirstVolumeW@8") = reinterpret_cast<void*>(&FirstVolumeW);
void* g_nextVolumeW asm("__imp__FindNextVolumeW@12") = reinterpret_cast<void*>(&NextVolumeW);
void* g_volumeClose asm("__imp__FindVolumeClose@4") = reinterpret_cast<void*>(&VolumeClose);
void* g_fileStat64 asm("__imp___fstat64") = reinterpret_cast<void*>(&FileStat64);
void* g_pathStat64W asm("__imp___wstat64") = reinterpret_cast<void*>(&PathStat64W);
}
