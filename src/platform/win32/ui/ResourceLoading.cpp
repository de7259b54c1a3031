// Strings and bitmaps from the module's own resource section, as the system
// loads them.

#include "platform/ui/ResourceLoading.h"

#include "logo/BmpReader.h"
#include "platform/win32/module/ModuleInstance.h"

#include <cstring>
#include <vector>

namespace platform {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;

std::uint32_t ReadLe(const std::uint8_t* bytes, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

// Where the pixels of a DIB start, counted from its info header: the header,
// the bit-field masks of a version-1 header and the colour table. A nonsense
// answer only makes the decoder refuse the bitmap.
std::uint64_t PixelOffset(std::span<const std::uint8_t> dib)
{
    if (dib.size() < 4)
        return 0;
    const std::uint32_t headerSize = ReadLe(dib.data(), 4);
    if (headerSize == 12 && dib.size() >= 12) {  // BITMAPCOREHEADER: 3-byte entries
        const std::uint32_t bits = ReadLe(dib.data() + 10, 2);
        return headerSize + (bits <= 8 ? (std::uint64_t{1} << bits) * 3 : 0);
    }
    if (headerSize < 40 || dib.size() < 40)
        return headerSize;
    const std::uint32_t bits = ReadLe(dib.data() + 14, 2);
    const std::uint32_t compression = ReadLe(dib.data() + 16, 4);
    const std::uint32_t used = ReadLe(dib.data() + 32, 4);
    const std::uint64_t entries = used != 0 ? used : (bits <= 8 ? std::uint64_t{1} << bits : 0);
    const std::uint64_t masks = (headerSize == 40 && compression == BI_BITFIELDS) ? 12 : 0;
    return headerSize + masks + entries * 4;
}

}  // namespace

std::string LoadStringA(UINT id)
{
    if (id > 0xFFFF)
        return {};
    // LoadStringA cuts a string to the buffer and says nothing, so the buffer
    // grows until the string fits with room to spare.
    std::vector<char> buffer(256);
    for (;;) {
        const int length = ::LoadStringA(win32::ModuleInstance(), id, buffer.data(), static_cast<int>(buffer.size()));
        if (length <= 0)
            return {};
        if (static_cast<std::size_t>(length) + 1 < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        if (buffer.size() >= 65536)
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        buffer.resize(buffer.size() * 4);
    }
}

std::optional<logo::Picture> LoadBitmapA(int id)
{
    const HINSTANCE module = win32::ModuleInstance();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_BITMAP));
    if (found == nullptr)
        return std::nullopt;
    const DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0)
        return std::nullopt;

    // A bitmap resource is a DIB without the file header the decoder reads.
    const std::span<const std::uint8_t> dib(static_cast<const std::uint8_t*>(bytes), size);
    const std::uint64_t offset = kFileHeaderBytes + PixelOffset(dib);
    std::vector<std::uint8_t> file(kFileHeaderBytes + dib.size());
    const std::uint32_t fileSize = static_cast<std::uint32_t>(file.size());
    const std::uint32_t offBits = offset > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(offset);
    file[0] = 'B';
    file[1] = 'M';
    std::memcpy(&file[2], &fileSize, 4);
    std::memcpy(&file[10], &offBits, 4);
    std::memcpy(file.data() + kFileHeaderBytes, dib.data(), dib.size());
    return logo::DecodeBmp(file).picture;
}

}  // namespace platform
