#include "platform/WinTypes.h"
#include "platform/files/LogoFileWriter.h"

#include "logo/LogoFile.h"

#include <vector>

namespace platform {

namespace {

std::string FolderOf(const std::string& path)
{
    const std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos)
        return ".";
    if (separator == 2 && path[1] == ':')
        return path.substr(0, 3);  // "C:\"
    return path.substr(0, separator);
}

// A new, empty file of a unique name in folder; empty on failure.
std::string MakeTemporaryBeside(const std::string& folder)
{
    char name[MAX_PATH] = {};
    if (::GetTempFileNameA(folder.c_str(), "lmv", 0, name) == 0)
        return std::string();
    return name;
}

bool WriteAndFlush(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE &&
              written == bytes.size();
    ok = ok && ::FlushFileBuffers(file) != FALSE;
    return ::CloseHandle(file) != FALSE && ok;
}

// Windows 98 can neither rename over an existing file nor swap two files,
// so the old file steps aside under a name of its own first: at every
// moment the target is the old file, the complete new one, or (between the
// two renames) absent with the old one still beside it to go back to.
bool ReplaceWith(const std::string& temporary, const std::string& target, DWORD oldAttributes)
{
    if (oldAttributes == INVALID_FILE_ATTRIBUTES)
        return ::MoveFileA(temporary.c_str(), target.c_str()) != FALSE;

    const std::string aside = MakeTemporaryBeside(FolderOf(target));
    if (aside.empty() || ::DeleteFileA(aside.c_str()) == FALSE)
        return false;
    // Hidden or system files are renamed like any other; only the read-only
    // bit (refused before) would stop it.
    if (::MoveFileA(target.c_str(), aside.c_str()) == FALSE)
        return false;
    if (::MoveFileA(temporary.c_str(), target.c_str()) == FALSE) {
        ::MoveFileA(aside.c_str(), target.c_str());
        return false;
    }
    ::SetFileAttributesA(aside.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(aside.c_str());
    // The new file takes the old one's hidden, system and archive bits.
    ::SetFileAttributesA(target.c_str(), oldAttributes == 0 ? FILE_ATTRIBUTE_NORMAL : oldAttributes);
    return true;
}

}  // namespace

bool WriteLogoFile(const std::string& hostPath, const logo::LogoImage& picture, const logo::ColorTable& table,
                   bool animated, std::uint8_t count)
{
    if (!logo::IsLogoImage(picture) || hostPath.empty() || hostPath.size() >= MAX_PATH)
        return false;
    const DWORD oldAttributes = ::GetFileAttributesA(hostPath.c_str());
    if (oldAttributes != INVALID_FILE_ATTRIBUTES &&
        (oldAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return false;

    const std::string temporary = MakeTemporaryBeside(FolderOf(hostPath));
    if (temporary.empty())
        return false;
    const std::vector<std::uint8_t> bytes = logo::EncodeLogoFile(picture, table, animated, count);
    if (!WriteAndFlush(temporary, bytes) || !ReplaceWith(temporary, hostPath, oldAttributes)) {
        ::DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace platform
