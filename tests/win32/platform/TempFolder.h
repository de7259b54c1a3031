#pragma once
// A fresh folder under the temporary folder for one test, removed with its
// files afterwards (read-only ones too).

#include "platform/WinTypes.h"

#include <string>
#include <vector>

namespace win32_test {

class TempFolder {
public:
    TempFolder()
    {
        char root[MAX_PATH] = {};
        ::GetTempPathA(sizeof root, root);
        char name[MAX_PATH] = {};
        ::GetTempFileNameA(root, "lvt", 0, name);
        ::DeleteFileA(name);
        ::CreateDirectoryA(name, nullptr);
        path_ = name;
    }
    ~TempFolder()
    {
        WIN32_FIND_DATAA entry{};
        const HANDLE search = ::FindFirstFileA((path_ + "\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string file = path_ + "\\" + entry.cFileName;
                ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(file.c_str());
            } while (::FindNextFileA(search, &entry) != FALSE);
            ::FindClose(search);
        }
        ::RemoveDirectoryA(path_.c_str());
    }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

    // The names in the folder, without "." and "..".
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA entry{};
        const HANDLE search = ::FindFirstFileA((path_ + "\\*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            const std::string name = entry.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (::FindNextFileA(search, &entry) != FALSE);
        ::FindClose(search);
        return names;
    }

private:
    std::string path_;
};

inline bool WriteBytes(const std::string& path, const std::string& bytes)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok != FALSE && written == bytes.size();
}

inline std::string ReadBytes(const std::string& path)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &got, nullptr) != FALSE && got > 0)
        bytes.append(chunk, got);
    ::CloseHandle(file);
    return bytes;
}

}  // namespace win32_test
