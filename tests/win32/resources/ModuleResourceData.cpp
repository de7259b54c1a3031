#include "ModuleResourceData.h"

#include <vector>

namespace win32test {

HMODULE ResourceModule()
{
    return ::GetModuleHandleA(nullptr);
}

std::span<const std::uint8_t> ResourceBytes(LPCSTR type, int id)
{
    HRSRC found = ::FindResourceA(ResourceModule(), MAKEINTRESOURCEA(id), type);
    if (found == nullptr)
        return {};
    HGLOBAL loaded = ::LoadResource(ResourceModule(), found);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr)
        return {};
    return {static_cast<const std::uint8_t*>(data), ::SizeofResource(ResourceModule(), found)};
}

std::u16string Utf16(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int length =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (length <= 0)
        return u"<not UTF-8>";
    std::vector<wchar_t> wide(static_cast<std::size_t>(length));
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return {wide.begin(), wide.end()};
}

}  // namespace win32test
