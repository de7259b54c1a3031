// The wide-character file calls as Windows 9x gets them, through the ANSI
// ones: each must do what the system's own wide call does, and a name the
// code page cannot spell must fail rather than reach another file.

#include "platform/win32/module/NarrowFileCalls.h"

#include "TempFolder.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/utime.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

namespace narrow = platform::win32::narrow;
using win32_test::ReadBytes;
using win32_test::TempFolder;
using win32_test::WriteBytes;

std::wstring Wide(const std::string& ansi)
{
    return narrow::ToWide(ansi);
}

TEST(NarrowFileCalls, NamesSpellBackExactlyOrNotAtAll)
{
    std::string ansi;
    EXPECT_TRUE(narrow::ToAnsi(L"C:\\logos\\caf\u00e9.bmp", ansi));
    EXPECT_EQ(ansi, "C:\\logos\\caf\xe9.bmp");
    EXPECT_TRUE(narrow::ToAnsi(nullptr, ansi));
    EXPECT_EQ(ansi, "");
    // Code page 1252 has no o with double acute: a best fit would be "o".
    EXPECT_FALSE(narrow::ToAnsi(L"C:\\Z\u0151.bmp", ansi));

    TempFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File("Zo.txt"), "other"));
    const std::wstring unspellable = Wide(folder.Path()) + L"\\Z\u0151.txt";
    const HANDLE file
        = narrow::CreateFileAnsi(unspellable.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(::GetLastError(), DWORD {ERROR_FILE_NOT_FOUND});
    EXPECT_EQ(narrow::GetFileAttributesAnsi(unspellable.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(narrow::DeleteFileAnsi(unspellable.c_str()));
    errno = 0;
    EXPECT_EQ(narrow::wfopen(unspellable.c_str(), L"rb"), nullptr);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(ReadBytes(folder.File("Zo.txt")), "other");
}

TEST(NarrowFileCalls, FilesAreMadeReadChangedAndRemovedAsTheWideCallsDo)
{
    TempFolder folder;
    const std::wstring name = Wide(folder.File("caf\xe9.sys"));
    const HANDLE file
        = narrow::CreateFileAnsi(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, "logo", 4, &written, nullptr);
    ::CloseHandle(file);
    EXPECT_EQ(ReadBytes(folder.File("caf\xe9.sys")), "logo");
    EXPECT_EQ(narrow::GetFileAttributesAnsi(name.c_str()), ::GetFileAttributesW(name.c_str()));

    std::FILE* stream = narrow::wfopen(name.c_str(), L"ab");
    ASSERT_NE(stream, nullptr);
    std::fputs(".sys", stream);
    std::fclose(stream);
    EXPECT_EQ(ReadBytes(folder.File("caf\xe9.sys")), "logo.sys");

    const std::wstring created = Wide(folder.File("made.bin"));
    const int descriptor = narrow::wopen(created.c_str(), _O_CREAT | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    ASSERT_GE(descriptor, 0);
    ::_write(descriptor, "x", 1);
    ::_close(descriptor);
    EXPECT_EQ(ReadBytes(folder.File("made.bin")), "x");

    ASSERT_EQ(narrow::wchmod(created.c_str(), _S_IREAD), 0);
    EXPECT_NE(::GetFileAttributesA(folder.File("made.bin").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    ASSERT_EQ(narrow::wchmod(created.c_str(), _S_IREAD | _S_IWRITE), 0);

    struct _utimbuf times { };
    times.actime = 1000000000;
    times.modtime = 1000000000;
    ASSERT_EQ(narrow::wutime(created.c_str(), &times), 0);
    struct _stat64 status { };
    ASSERT_EQ(::_wstat64(created.c_str(), &status), 0);
    EXPECT_EQ(status.st_mtime, 1000000000);

    EXPECT_TRUE(narrow::DeleteFileAnsi(created.c_str()));
    EXPECT_EQ(::GetFileAttributesW(created.c_str()), INVALID_FILE_ATTRIBUTES);

    const std::wstring subfolder = Wide(folder.File("sub"));
    ASSERT_EQ(narrow::wmkdir(subfolder.c_str()), 0);
    EXPECT_NE(::GetFileAttributesW(subfolder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(narrow::wmkdir(subfolder.c_str()), -1);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_TRUE(narrow::RemoveDirectoryAnsi(subfolder.c_str()));
    EXPECT_EQ(::GetFileAttributesW(subfolder.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(NarrowFileCalls, ReplacingMoveLosesNothingWhenItCannotReplace)
{
    TempFolder folder;
    const std::wstring from = Wide(folder.File("new.sys"));
    const std::wstring to = Wide(folder.File("logo.sys"));
    ASSERT_TRUE(WriteBytes(folder.File("new.sys"), "new"));
    ASSERT_TRUE(WriteBytes(folder.File("logo.sys"), "old"));

    EXPECT_FALSE(narrow::MoveFileExAnsi(from.c_str(), to.c_str(), 0));
    EXPECT_EQ(ReadBytes(folder.File("logo.sys")), "old");
    EXPECT_EQ(ReadBytes(folder.File("new.sys")), "new");

    EXPECT_TRUE(narrow::MoveFileExAnsi(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadBytes(folder.File("logo.sys")), "new");
    EXPECT_EQ(::GetFileAttributesW(from.c_str()), INVALID_FILE_ATTRIBUTES);

    // A missing source keeps the target; a folder is never replaced.
    EXPECT_FALSE(narrow::MoveFileExAnsi(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadBytes(folder.File("logo.sys")), "new");
    ASSERT_TRUE(::CreateDirectoryA(folder.File("dir").c_str(), nullptr));
    EXPECT_FALSE(narrow::MoveFileExAnsi(to.c_str(), Wide(folder.File("dir")).c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_NE(::GetFileAttributesA(folder.File("dir").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(ReadBytes(folder.File("logo.sys")), "new");
    ::RemoveDirectoryA(folder.File("dir").c_str());

    // A plain move to a free name.
    EXPECT_TRUE(narrow::MoveFileExAnsi(to.c_str(), from.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadBytes(folder.File("new.sys")), "new");
}

TEST(NarrowFileCalls, PathsComeBackAsTheWideCallsGiveThem)
{
    wchar_t system[MAX_PATH] = {};
    wchar_t* systemPart = nullptr;
    const DWORD systemLength = ::GetFullPathNameW(L"logos\\..\\logo.sys", MAX_PATH, system, &systemPart);
    wchar_t ours[MAX_PATH] = {};
    wchar_t* ourPart = nullptr;
    EXPECT_EQ(narrow::GetFullPathNameAnsi(L"logos\\..\\logo.sys", MAX_PATH, ours, &ourPart), systemLength);
    EXPECT_STREQ(ours, system);
    ASSERT_NE(ourPart, nullptr);
    EXPECT_STREQ(ourPart, L"logo.sys");
    wchar_t tiny[3] = {L'x'};
    EXPECT_EQ(narrow::GetFullPathNameAnsi(L"logo.sys", 3, tiny, nullptr), systemLength + 1);
    EXPECT_EQ(tiny[0], L'x');

    wchar_t temp[MAX_PATH] = {};
    wchar_t ourTemp[MAX_PATH] = {};
    EXPECT_EQ(narrow::GetTempPathAnsi(MAX_PATH, ourTemp), ::GetTempPathW(MAX_PATH, temp));
    EXPECT_STREQ(ourTemp, temp);

    wchar_t* cwd = ::_wgetcwd(nullptr, 0);
    wchar_t* ourCwd = narrow::wgetcwd(nullptr, 0);
    ASSERT_NE(ourCwd, nullptr);
    EXPECT_STREQ(ourCwd, cwd);
    wchar_t small[2] = {};
    errno = 0;
    EXPECT_EQ(narrow::wgetcwd(small, 2), nullptr);
    EXPECT_EQ(errno, ERANGE);
    std::free(cwd);
    std::free(ourCwd);

    wchar_t* full = ::_wfullpath(nullptr, L"a\\..\\b.bmp", 0);
    wchar_t* ourFull = narrow::wfullpath(nullptr, L"a\\..\\b.bmp", 0);
    ASSERT_NE(ourFull, nullptr);
    EXPECT_STREQ(ourFull, full);
    std::free(full);
    std::free(ourFull);
}

TEST(NarrowFileCalls, FolderSearchListsWhatTheSystemLists)
{
    TempFolder folder;
    for (const char* name : {"logo.sys", "logow.sys", "caf\xe9.bmp"})
        ASSERT_TRUE(WriteBytes(folder.File(name), "12345"));
    std::vector<std::wstring> found;
    narrow::WideFindData entry {};
    const std::intptr_t search = narrow::wfindfirst(Wide(folder.File("*")).c_str(), &entry);
    ASSERT_NE(search, -1);
    do {
        found.push_back(entry.name);
        if (std::wstring(entry.name) == L"logo.sys") {
            EXPECT_EQ(entry.size, 5u);
            EXPECT_EQ(entry.attrib & _A_SUBDIR, 0u);
            EXPECT_GT(entry.time_write, 1000000000);
        }
    } while (narrow::wfindnext(search, &entry) == 0);
    EXPECT_EQ(::_findclose(search), 0);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::wstring> {L".", L"..", L"caf\u00e9.bmp", L"logo.sys", L"logow.sys"}));
    EXPECT_EQ(narrow::wfindfirst(Wide(folder.File("*.none")).c_str(), &entry), -1);
    EXPECT_EQ(errno, ENOENT);
}

TEST(NarrowFileCalls, VolumesModulesAndSemaphoresAnswerAsTheSystem)
{
    wchar_t fileSystem[MAX_PATH] = {};
    wchar_t ourFileSystem[MAX_PATH] = {};
    DWORD serial = 0;
    DWORD ourSerial = 0;
    ASSERT_TRUE(::GetVolumeInformationW(L"C:\\", nullptr, 0, &serial, nullptr, nullptr, fileSystem, MAX_PATH));
    ASSERT_TRUE(
        narrow::GetVolumeInformationAnsi(L"C:\\", nullptr, 0, &ourSerial, nullptr, nullptr, ourFileSystem, MAX_PATH));
    EXPECT_STREQ(ourFileSystem, fileSystem);
    EXPECT_EQ(ourSerial, serial);
    ULARGE_INTEGER total {};
    EXPECT_TRUE(narrow::GetDiskFreeSpaceExAnsi(L"C:\\", nullptr, &total, nullptr));
    EXPECT_GT(total.QuadPart, 0u);

    EXPECT_EQ(narrow::GetModuleHandleAnsi(L"kernel32.dll"), ::GetModuleHandleW(L"kernel32.dll"));
    EXPECT_EQ(narrow::GetModuleHandleAnsi(nullptr), ::GetModuleHandleW(nullptr));
    const HMODULE loaded = narrow::LoadLibraryAnsi(L"comdlg32.dll");
    ASSERT_NE(loaded, nullptr);
    ::FreeLibrary(loaded);

    const HANDLE semaphore = narrow::CreateSemaphoreAnsi(nullptr, 1, 1, nullptr);
    ASSERT_NE(semaphore, nullptr);
    EXPECT_EQ(::WaitForSingleObject(semaphore, 0), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(semaphore, 0), DWORD {WAIT_TIMEOUT});
    ::CloseHandle(semaphore);
}

}  // namespace
