#pragma once
// The wide-character file calls of kernel32 and msvcrt, done through their
// ANSI counterparts. Windows 95, 98 and Me export the wide ones only to
// fail, yet the compiler's runtime (std::filesystem, file streams) makes
// every file call through them; on those systems the module's import slots
// send the calls here (WideImportSlots.cpp). Paths go through the ANSI code
// page; a path it cannot spell fails as a name that is not there
// (ERROR_FILE_NOT_FOUND, errno ENOENT), never as another file's name.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace platform::win32::narrow {

// What msvcrt.dll's _wfindfirst and _wfindnext fill (32-bit times and sizes).
struct WideFindData {
    unsigned attrib;
    std::int32_t time_create;
    std::int32_t time_access;
    std::int32_t time_write;
    unsigned long size;
    wchar_t name[260];
};

// The ANSI spelling of a wide string; false when the code page lacks one of
// its characters. A null string is an empty one.
bool ToAnsi(const wchar_t* wide, std::string& ansi);
std::wstring ToWide(const std::string& ansi);

// kernel32
HANDLE WINAPI CreateFileAnsi(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
    DWORD flags, HANDLE templateFile);
BOOL WINAPI DeleteFileAnsi(LPCWSTR name);
BOOL WINAPI RemoveDirectoryAnsi(LPCWSTR name);
DWORD WINAPI GetFileAttributesAnsi(LPCWSTR name);
// Windows 9x has no MoveFileEx at all: a replacing move deletes the target
// first, and only when the plain move found it there.
BOOL WINAPI MoveFileExAnsi(LPCWSTR from, LPCWSTR to, DWORD flags);
DWORD WINAPI GetFullPathNameAnsi(LPCWSTR name, DWORD length, LPWSTR buffer, LPWSTR* filePart);
DWORD WINAPI GetTempPathAnsi(DWORD length, LPWSTR buffer);
BOOL WINAPI GetDiskFreeSpaceExAnsi(
    LPCWSTR directory, PULARGE_INTEGER available, PULARGE_INTEGER total, PULARGE_INTEGER free);
BOOL WINAPI GetVolumeInformationAnsi(LPCWSTR root, LPWSTR volumeName, DWORD volumeNameLength, LPDWORD serial,
    LPDWORD maxComponent, LPDWORD fileSystemFlags, LPWSTR fileSystemName, DWORD fileSystemNameLength);
HMODULE WINAPI LoadLibraryAnsi(LPCWSTR name);
HMODULE WINAPI GetModuleHandleAnsi(LPCWSTR name);
HANDLE WINAPI CreateSemaphoreAnsi(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name);

// msvcrt. The find calls go to kernel32's FindFirstFileA and FindNextFileA,
// as msvcrt's own do, so _findclose ends the search.
std::FILE* __cdecl wfopen(const wchar_t* name, const wchar_t* mode);
int __cdecl wopen(const wchar_t* name, int flags, int mode);
int __cdecl wmkdir(const wchar_t* name);
int __cdecl wchdir(const wchar_t* name);
int __cdecl wchmod(const wchar_t* name, int mode);
// times is msvcrt's own _utimbuf, passed on as it is.
int __cdecl wutime(const wchar_t* name, void* times);
// A null buffer gets one from malloc, as msvcrt's do.
wchar_t* __cdecl wgetcwd(wchar_t* buffer, int length);
wchar_t* __cdecl wfullpath(wchar_t* buffer, const wchar_t* name, std::size_t length);
std::intptr_t __cdecl wfindfirst(const wchar_t* pattern, WideFindData* found);
int __cdecl wfindnext(std::intptr_t search, WideFindData* found);

}  // namespace platform::win32::narrow
