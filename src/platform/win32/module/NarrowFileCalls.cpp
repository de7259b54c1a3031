#include "platform/win32/module/NarrowFileCalls.h"

#include "platform/win32/module/SystemFunction.h"

#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cwchar>
#include <vector>

namespace platform::win32::narrow {

namespace {

// Longer than any path Windows 9x accepts.
constexpr int kPathBuffer = 1024;

constinit LateBoundFunction<int(__cdecl*)(const char*, void*)> g_narrowUtime{"msvcrt.dll", "_utime"};

// A path that does not spell back fails as a file that is not there.
bool AnsiPath(const wchar_t* wide, std::string& ansi)
{
    if (ToAnsi(wide, ansi))
        return true;
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    errno = ENOENT;
    return false;
}

// Copies text and its terminator into a caller's buffer of length
// characters: the characters copied, or the length needed with the
// terminator when it does not fit.
DWORD CopyOut(const std::wstring& text, LPWSTR buffer, DWORD length)
{
    if (buffer == nullptr || text.size() + 1 > length)
        return static_cast<DWORD>(text.size() + 1);
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = L'\0';
    return static_cast<DWORD>(text.size());
}

// As msvcrt does: a null buffer is allocated (at least length characters).
wchar_t* CopyOutAllocating(const std::wstring& text, wchar_t* buffer, std::size_t length)
{
    if (buffer == nullptr) {
        const std::size_t size = std::max(length, text.size() + 1);
        buffer = static_cast<wchar_t*>(std::malloc(size * sizeof(wchar_t)));
        if (buffer == nullptr) {
            errno = ENOMEM;
            return nullptr;
        }
    } else if (text.size() + 1 > length) {
        errno = ERANGE;
        return nullptr;
    }
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = L'\0';
    return buffer;
}

std::int32_t UnixSeconds(const FILETIME& time)
{
    ULARGE_INTEGER ticks;
    ticks.LowPart = time.dwLowDateTime;
    ticks.HighPart = time.dwHighDateTime;
    constexpr unsigned long long kEpoch = 116444736000000000ULL;  // 1970-01-01 in 100 ns ticks
    if (ticks.QuadPart == 0 || ticks.QuadPart < kEpoch)
        return -1;
    return static_cast<std::int32_t>((ticks.QuadPart - kEpoch) / 10000000ULL);
}

void Fill(const WIN32_FIND_DATAA& entry, WideFindData& found)
{
    found.attrib = entry.dwFileAttributes;
    found.time_create = UnixSeconds(entry.ftCreationTime);
    found.time_access = UnixSeconds(entry.ftLastAccessTime);
    found.time_write = UnixSeconds(entry.ftLastWriteTime);
    found.size = entry.nFileSizeLow;
    const std::wstring name = ToWide(entry.cFileName);
    const std::size_t count = std::min(name.size(), std::size(found.name) - 1);
    std::copy_n(name.begin(), count, found.name);
    found.name[count] = L'\0';
}

}  // namespace

bool ToAnsi(const wchar_t* wide, std::string& ansi)
{
    ansi.clear();
    if (wide == nullptr || *wide == L'\0')
        return true;
    const int size = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return false;
    std::vector<char> buffer(static_cast<std::size_t>(size));
    if (::WideCharToMultiByte(CP_ACP, 0, wide, -1, buffer.data(), size, nullptr, nullptr) != size)
        return false;
    ansi.assign(buffer.data());
    // A best-fit spelling ("o" for "ő") names another file: only an exact
    // round trip is the same name.
    return ToWide(ansi) == wide;
}

std::wstring ToWide(const std::string& ansi)
{
    if (ansi.empty())
        return std::wstring();
    const int size = ::MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    if (size <= 0)
        return std::wstring();
    std::vector<wchar_t> buffer(static_cast<std::size_t>(size));
    ::MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, buffer.data(), size);
    return std::wstring(buffer.data());
}

HANDLE WINAPI CreateFileAnsi(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
    DWORD flags, HANDLE templateFile)
{
    std::string path;
    if (!AnsiPath(name, path))
        return INVALID_HANDLE_VALUE;
    return ::CreateFileA(path.c_str(), access, share, security, disposition, flags, templateFile);
}

BOOL WINAPI DeleteFileAnsi(LPCWSTR name)
{
    std::string path;
    return AnsiPath(name, path) ? ::DeleteFileA(path.c_str()) : FALSE;
}

BOOL WINAPI RemoveDirectoryAnsi(LPCWSTR name)
{
    std::string path;
    return AnsiPath(name, path) ? ::RemoveDirectoryA(path.c_str()) : FALSE;
}

DWORD WINAPI GetFileAttributesAnsi(LPCWSTR name)
{
    std::string path;
    return AnsiPath(name, path) ? ::GetFileAttributesA(path.c_str()) : INVALID_FILE_ATTRIBUTES;
}

BOOL WINAPI MoveFileExAnsi(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    std::string source;
    std::string target;
    if (!AnsiPath(from, source) || !AnsiPath(to, target))
        return FALSE;
    if (::MoveFileA(source.c_str(), target.c_str()))
        return TRUE;
    const DWORD error = ::GetLastError();
    const bool targetThere = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
    const DWORD targetAttributes = ::GetFileAttributesA(target.c_str());
    // Only a file is replaced, never a folder, and only once the source is
    // known to be there to take its place.
    if ((flags & MOVEFILE_REPLACE_EXISTING) == 0 || !targetThere || targetAttributes == INVALID_FILE_ATTRIBUTES
        || (targetAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0
        || ::GetFileAttributesA(source.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ::SetLastError(error);
        return FALSE;
    }
    if (!::DeleteFileA(target.c_str()))
        return FALSE;
    return ::MoveFileA(source.c_str(), target.c_str());
}

DWORD WINAPI GetFullPathNameAnsi(LPCWSTR name, DWORD length, LPWSTR buffer, LPWSTR* filePart)
{
    std::string path;
    if (!AnsiPath(name, path))
        return 0;
    char full[kPathBuffer] = {};
    const DWORD got = ::GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (got == 0 || got >= sizeof full)
        return 0;
    const std::wstring wide = ToWide(full);
    const DWORD result = CopyOut(wide, buffer, length);
    if (filePart != nullptr && result == wide.size()) {
        const std::size_t slash = wide.find_last_of(L"\\/");
        const std::size_t start = slash == std::wstring::npos ? 0 : slash + 1;
        *filePart = start < wide.size() ? buffer + start : nullptr;
    }
    return result;
}

DWORD WINAPI GetTempPathAnsi(DWORD length, LPWSTR buffer)
{
    char path[kPathBuffer] = {};
    const DWORD got = ::GetTempPathA(sizeof path, path);
    if (got == 0 || got >= sizeof path)
        return 0;
    return CopyOut(ToWide(path), buffer, length);
}

BOOL WINAPI GetDiskFreeSpaceExAnsi(
    LPCWSTR directory, PULARGE_INTEGER available, PULARGE_INTEGER total, PULARGE_INTEGER free)
{
    std::string path;
    if (!AnsiPath(directory, path))
        return FALSE;
    return ::GetDiskFreeSpaceExA(directory != nullptr ? path.c_str() : nullptr, available, total, free);
}

BOOL WINAPI GetVolumeInformationAnsi(LPCWSTR root, LPWSTR volumeName, DWORD volumeNameLength, LPDWORD serial,
    LPDWORD maxComponent, LPDWORD fileSystemFlags, LPWSTR fileSystemName, DWORD fileSystemNameLength)
{
    std::string path;
    if (!AnsiPath(root, path))
        return FALSE;
    char volume[MAX_PATH + 1] = {};
    char fileSystem[MAX_PATH + 1] = {};
    if (!::GetVolumeInformationA(root != nullptr ? path.c_str() : nullptr, volume, sizeof volume, serial, maxComponent,
            fileSystemFlags, fileSystem, sizeof fileSystem))
        return FALSE;
    const std::wstring wideVolume = ToWide(volume);
    const std::wstring wideFileSystem = ToWide(fileSystem);
    if ((volumeName != nullptr && CopyOut(wideVolume, volumeName, volumeNameLength) != wideVolume.size())
        || (fileSystemName != nullptr
            && CopyOut(wideFileSystem, fileSystemName, fileSystemNameLength) != wideFileSystem.size())) {
        ::SetLastError(ERROR_BAD_LENGTH);
        return FALSE;
    }
    return TRUE;
}

HMODULE WINAPI LoadLibraryAnsi(LPCWSTR name)
{
    std::string path;
    return AnsiPath(name, path) ? ::LoadLibraryA(path.c_str()) : nullptr;
}

HMODULE WINAPI GetModuleHandleAnsi(LPCWSTR name)
{
    if (name == nullptr)
        return ::GetModuleHandleA(nullptr);
    std::string path;
    return AnsiPath(name, path) ? ::GetModuleHandleA(path.c_str()) : nullptr;
}

HANDLE WINAPI CreateSemaphoreAnsi(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name)
{
    if (name == nullptr)
        return ::CreateSemaphoreA(security, initial, maximum, nullptr);
    std::string ansi;
    return AnsiPath(name, ansi) ? ::CreateSemaphoreA(security, initial, maximum, ansi.c_str()) : nullptr;
}

std::FILE* __cdecl wfopen(const wchar_t* name, const wchar_t* mode)
{
    std::string path;
    std::string ansiMode;
    if (!AnsiPath(name, path))
        return nullptr;
    if (!ToAnsi(mode, ansiMode)) {
        errno = EINVAL;
        return nullptr;
    }
    return std::fopen(path.c_str(), ansiMode.c_str());
}

int __cdecl wopen(const wchar_t* name, int flags, int mode)
{
    std::string path;
    return AnsiPath(name, path) ? ::_open(path.c_str(), flags, mode) : -1;
}

int __cdecl wmkdir(const wchar_t* name)
{
    std::string path;
    return AnsiPath(name, path) ? ::_mkdir(path.c_str()) : -1;
}

int __cdecl wchdir(const wchar_t* name)
{
    std::string path;
    return AnsiPath(name, path) ? ::_chdir(path.c_str()) : -1;
}

int __cdecl wchmod(const wchar_t* name, int mode)
{
    std::string path;
    return AnsiPath(name, path) ? ::_chmod(path.c_str(), mode) : -1;
}

int __cdecl wutime(const wchar_t* name, void* times)
{
    const auto narrowUtime = g_narrowUtime.Get();
    std::string path;
    if (!AnsiPath(name, path))
        return -1;
    if (narrowUtime == nullptr) {
        errno = ENOSYS;
        return -1;
    }
    return narrowUtime(path.c_str(), times);
}

wchar_t* __cdecl wgetcwd(wchar_t* buffer, int length)
{
    char path[kPathBuffer] = {};
    if (::_getcwd(path, sizeof path) == nullptr)
        return nullptr;
    return CopyOutAllocating(ToWide(path), buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

wchar_t* __cdecl wfullpath(wchar_t* buffer, const wchar_t* name, std::size_t length)
{
    std::string path;
    if (!AnsiPath(name, path))
        return nullptr;
    char full[kPathBuffer] = {};
    if (::_fullpath(full, path.c_str(), sizeof full) == nullptr)
        return nullptr;
    return CopyOutAllocating(ToWide(full), buffer, buffer == nullptr ? MAX_PATH : length);
}

std::intptr_t __cdecl wfindfirst(const wchar_t* pattern, WideFindData* found)
{
    std::string ansiPattern;
    if (!AnsiPath(pattern, ansiPattern))
        return -1;
    WIN32_FIND_DATAA entry {};
    const HANDLE search = ::FindFirstFileA(ansiPattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        errno = ENOENT;
        return -1;
    }
    Fill(entry, *found);
    return reinterpret_cast<std::intptr_t>(search);
}

int __cdecl wfindnext(std::intptr_t search, WideFindData* found)
{
    WIN32_FIND_DATAA entry {};
    if (!::FindNextFileA(reinterpret_cast<HANDLE>(search), &entry)) {
        errno = ENOENT;
        return -1;
    }
    Fill(entry, *found);
    return 0;
}

}  // namespace platform::win32::narrow
