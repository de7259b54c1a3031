// The import slots of the wide-character file calls the compiler's runtime
// makes (std::filesystem, file streams). Windows 95, 98 and Me export them
// only to fail, so there each slot sends the call through the ANSI one
// (NarrowFileCalls.h); Windows NT gets its own wide call, looked up when
// first made. The runtime calls some (CreateSemaphoreW) while it starts, before
// any constructor, and inside its own one-time initialisation: so no slot
// keeps a function-local static (SystemFunction.h). Built into the 32-bit
// module only, as RuntimeImportFallbacks.cpp.

#include "platform/win32/module/NarrowFileCalls.h"
#include "platform/win32/module/SystemFunction.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace narrow = platform::win32::narrow;

using platform::win32::LateBoundFunction;

// One slot: Return Convention name##Slot Params, which calls the DLL's
// export on NT (the ANSI route should the system lack it) and the ANSI route
// on 9x, and the import slot under the symbol the runtime's references use.
// Nothing a slot does goes through a slot again.
#define LUMIVANE_WIDE_SLOT(symbol, dll, exported, name, ansiCall, Return, Convention, Params, Args)                    \
    namespace {                                                                                                        \
    constinit LateBoundFunction<Return(Convention*) Params> name##System{dll, exported};                               \
    Return Convention name##Slot Params                                                                                \
    {                                                                                                                  \
        const auto system = platform::win32::WideSystemFunction(name##System);                                         \
        return system != nullptr ? system Args : ansiCall Args;                                                        \
    }                                                                                                                  \
    }                                                                                                                  \
    extern "C" void* name##ImportSlot asm(symbol);                                                                     \
    void* name##ImportSlot = reinterpret_cast<void*>(&name##Slot);

LUMIVANE_WIDE_SLOT("__imp__CreateFileW@28", "kernel32.dll", "CreateFileW", CreateFileW, narrow::CreateFileAnsi, HANDLE,
    WINAPI, (LPCWSTR n, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES sa, DWORD d, DWORD f, HANDLE t), (n, a, s, sa, d, f, t))
LUMIVANE_WIDE_SLOT("__imp__DeleteFileW@4", "kernel32.dll", "DeleteFileW", DeleteFileW, narrow::DeleteFileAnsi, BOOL,
    WINAPI, (LPCWSTR n), (n))
LUMIVANE_WIDE_SLOT("__imp__RemoveDirectoryW@4", "kernel32.dll", "RemoveDirectoryW", RemoveDirectoryW,
    narrow::RemoveDirectoryAnsi, BOOL, WINAPI, (LPCWSTR n), (n))
LUMIVANE_WIDE_SLOT("__imp__GetFileAttributesW@4", "kernel32.dll", "GetFileAttributesW", GetFileAttributesW,
    narrow::GetFileAttributesAnsi, DWORD, WINAPI, (LPCWSTR n), (n))
LUMIVANE_WIDE_SLOT("__imp__MoveFileExW@12", "kernel32.dll", "MoveFileExW", MoveFileExW, narrow::MoveFileExAnsi, BOOL,
    WINAPI, (LPCWSTR from, LPCWSTR to, DWORD flags), (from, to, flags))
LUMIVANE_WIDE_SLOT("__imp__GetFullPathNameW@16", "kernel32.dll", "GetFullPathNameW", GetFullPathNameW,
    narrow::GetFullPathNameAnsi, DWORD, WINAPI, (LPCWSTR n, DWORD l, LPWSTR b, LPWSTR* p), (n, l, b, p))
LUMIVANE_WIDE_SLOT("__imp__GetTempPathW@8", "kernel32.dll", "GetTempPathW", GetTempPathW, narrow::GetTempPathAnsi,
    DWORD, WINAPI, (DWORD l, LPWSTR b), (l, b))
LUMIVANE_WIDE_SLOT("__imp__GetDiskFreeSpaceExW@16", "kernel32.dll", "GetDiskFreeSpaceExW", GetDiskFreeSpaceExW,
    narrow::GetDiskFreeSpaceExAnsi, BOOL, WINAPI, (LPCWSTR d, PULARGE_INTEGER a, PULARGE_INTEGER t, PULARGE_INTEGER f),
    (d, a, t, f))
LUMIVANE_WIDE_SLOT("__imp__GetVolumeInformationW@32", "kernel32.dll", "GetVolumeInformationW", GetVolumeInformationW,
    narrow::GetVolumeInformationAnsi, BOOL, WINAPI,
    (LPCWSTR r, LPWSTR v, DWORD vl, LPDWORD s, LPDWORD m, LPDWORD f, LPWSTR fs, DWORD fl), (r, v, vl, s, m, f, fs, fl))
LUMIVANE_WIDE_SLOT("__imp__LoadLibraryW@4", "kernel32.dll", "LoadLibraryW", LoadLibraryW, narrow::LoadLibraryAnsi,
    HMODULE, WINAPI, (LPCWSTR n), (n))
LUMIVANE_WIDE_SLOT("__imp__GetModuleHandleW@4", "kernel32.dll", "GetModuleHandleW", GetModuleHandleW,
    narrow::GetModuleHandleAnsi, HMODULE, WINAPI, (LPCWSTR n), (n))
LUMIVANE_WIDE_SLOT("__imp__CreateSemaphoreW@16", "kernel32.dll", "CreateSemaphoreW", CreateSemaphoreW,
    narrow::CreateSemaphoreAnsi, HANDLE, WINAPI, (LPSECURITY_ATTRIBUTES s, LONG i, LONG m, LPCWSTR n), (s, i, m, n))

LUMIVANE_WIDE_SLOT("__imp___wfopen", "msvcrt.dll", "_wfopen", _wfopen, narrow::wfopen, std::FILE*, __cdecl,
    (const wchar_t* n, const wchar_t* m), (n, m))
// _wopen is variadic; its mode is there whenever the flags ask to create.
LUMIVANE_WIDE_SLOT("__imp___wopen", "msvcrt.dll", "_wopen", _wopen, narrow::wopen, int, __cdecl,
    (const wchar_t* n, int f, int m), (n, f, m))
LUMIVANE_WIDE_SLOT(
    "__imp___wmkdir", "msvcrt.dll", "_wmkdir", _wmkdir, narrow::wmkdir, int, __cdecl, (const wchar_t* n), (n))
LUMIVANE_WIDE_SLOT(
    "__imp___wchdir", "msvcrt.dll", "_wchdir", _wchdir, narrow::wchdir, int, __cdecl, (const wchar_t* n), (n))
LUMIVANE_WIDE_SLOT(
    "__imp___wchmod", "msvcrt.dll", "_wchmod", _wchmod, narrow::wchmod, int, __cdecl, (const wchar_t* n, int m), (n, m))
LUMIVANE_WIDE_SLOT("__imp___wutime32", "msvcrt.dll", "_wutime", _wutime, narrow::wutime, int, __cdecl,
    (const wchar_t* n, void* t), (n, t))
LUMIVANE_WIDE_SLOT("__imp___wgetcwd", "msvcrt.dll", "_wgetcwd", _wgetcwd, narrow::wgetcwd, wchar_t*, __cdecl,
    (wchar_t * b, int l), (b, l))
LUMIVANE_WIDE_SLOT("__imp___wfullpath", "msvcrt.dll", "_wfullpath", _wfullpath, narrow::wfullpath, wchar_t*, __cdecl,
    (wchar_t * b, const wchar_t* n, std::size_t l), (b, n, l))
LUMIVANE_WIDE_SLOT("__imp___wfindfirst32", "msvcrt.dll", "_wfindfirst", _wfindfirst, narrow::wfindfirst, std::intptr_t,
    __cdecl, (const wchar_t* p, narrow::WideFindData* f), (p, f))
LUMIVANE_WIDE_SLOT("__imp___wfindnext32", "msvcrt.dll", "_wfindnext", _wfindnext, narrow::wfindnext, int, __cdecl,
    (std::intptr_t s, narrow::WideFindData* f), (s, f))

#undef LUMIVANE_WIDE_SLOT

// The runtime's _wopendir calls these by their own names, not through the
// slots; the names are defined here too, or the linker would bring the
// imports in beside the slots.
extern "C" {
wchar_t* __cdecl WideFullPathByName(wchar_t* buffer, const wchar_t* name, std::size_t length) asm("__wfullpath");
std::intptr_t __cdecl WideFindFirstByName(const wchar_t* pattern, narrow::WideFindData* found) asm("__wfindfirst32");
int __cdecl WideFindNextByName(std::intptr_t search, narrow::WideFindData* found) asm("__wfindnext32");
}

wchar_t* __cdecl WideFullPathByName(wchar_t* buffer, const wchar_t* name, std::size_t length)
{
    return _wfullpathSlot(buffer, name, length);
}

std::intptr_t __cdecl WideFindFirstByName(const wchar_t* pattern, narrow::WideFindData* found)
{
    return _wfindfirstSlot(pattern, found);
}

int __cdecl WideFindNextByName(std::intptr_t search, narrow::WideFindData* found)
{
    return _wfindnextSlot(search, found);
}
