#include "tests/win32/PrefixFiles.h"

#include "logo/LogoFile.h"
#include "platform/files/LogoFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace scenario {

namespace {

constexpr const char* kSettingsKey = "Software\\Lumivane\\lumva";
constexpr const char* kPictureFolder = "C:\\lumivane-test";

void RemoveFile(const std::string& path)
{
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
}

void RemovePictureFolder()
{
    WIN32_FIND_DATAA entry{};
    const HANDLE search = ::FindFirstFileA((std::string(kPictureFolder) + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                RemoveFile(std::string(kPictureFolder) + "\\" + entry.cFileName);
        } while (::FindNextFileA(search, &entry) != FALSE);
        ::FindClose(search);
    }
    ::RemoveDirectoryA(kPictureFolder);
}

void RemoveSystemLogos()
{
    for (const std::string& file : {StartUpFile(), PreShutDownFile(), ShutDownFile()})
        RemoveFile(file);
}

}  // namespace

std::string WindowsFolder()
{
    char folder[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryA(folder, sizeof folder);
    std::string result(folder, length < sizeof folder ? length : 0);
    if (!result.empty() && result.back() != '\\')
        result += '\\';
    return result;
}

std::string StartUpFile()
{
    return WindowsFolder().substr(0, 3) + "logo.sys";
}

std::string PreShutDownFile()
{
    return WindowsFolder() + "logow.sys";
}

std::string ShutDownFile()
{
    return WindowsFolder() + "logos.sys";
}

std::string Picture(const std::string& name)
{
    return std::string(kPictureFolder) + "\\" + name;
}

Bytes WriteLogo(const std::string& path, unsigned seed, std::uint8_t count)
{
    const logo::LogoImage image = testing_support::MakeVariedLogo(seed);
    logo::ColorTable table{};
    std::copy_n(image.colorTable.begin(), table.size(), table.begin());
    EXPECT_TRUE(platform::WriteLogoFile(path, image, table, count != 0, count)) << path;
    return ReadBytes(path);
}

void WriteSystemLogos()
{
    WriteLogo(StartUpFile(), 1);
    WriteLogo(PreShutDownFile(), 2);
    WriteLogo(ShutDownFile(), 3);
}

std::optional<RegistryValue> Stored(const std::string& section, const std::string& entry)
{
    return win32_test::QueryRegistryValue(std::string(kSettingsKey) + "\\" + section, entry);
}

long long FileSize(const std::string& path)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    DWORD high = 0;
    const DWORD low = ::GetFileSize(file, &high);
    ::CloseHandle(file);
    return (static_cast<long long>(high) << 32) | low;
}

void ResetPrefix(bool withPictureFolder)
{
    // The system's file dialogs make the folder they chose from current, and
    // a current folder cannot be removed.
    ::SetCurrentDirectoryA(WindowsFolder().c_str());
    RemoveSystemLogos();
    RemovePictureFolder();
    win32_test::DeleteRegistryTree(kSettingsKey);
    if (withPictureFolder) {
        ASSERT_TRUE(::CreateDirectoryA(kPictureFolder, nullptr));
    }
}

}  // namespace scenario
