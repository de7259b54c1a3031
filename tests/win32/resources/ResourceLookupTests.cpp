// The module's compiled resources found by id through the system's own
// resource functions, each against what the resource compiler rendered
// from the same data: strings, bitmaps, cursors, the icon group, version.

#include "ModuleResourceData.h"

#include "resources/ResourceIds.h"
#include "resources/StringTable.h"
#include "resources/VersionInfo.h"
#include "resources/compiler/ResourceSet.h"

#include <gtest/gtest.h>
#include <winver.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using platform::ResourceEntry;
using platform::ResourceType;
using win32test::ResourceBytes;
using win32test::ResourceModule;

const std::vector<ResourceEntry>& RenderedEntries()
{
    static const std::vector<ResourceEntry> entries = res::rc::BuildResourceEntries();
    return entries;
}

std::uint16_t U16At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    const std::uint16_t low = bytes[at];
    const std::uint16_t high = bytes[at + 1];
    return static_cast<std::uint16_t>(low | (high << 8));
}

std::uint32_t U32At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    const std::uint32_t low = U16At(bytes, at);
    const std::uint32_t high = U16At(bytes, at + 2);
    return low | (high << 16);
}

bool IsAscii(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

TEST(ModuleStrings, EveryTableStringLoadsByIdAsWritten)
{
    for (const res::StringResource& string : res::StringTable()) {
        SCOPED_TRACE("string " + std::to_string(string.id));
        wchar_t wide[1024] = {};
        const int wideLength = ::LoadStringW(ResourceModule(), string.id, wide, 1024);
        EXPECT_EQ(std::u16string(wide, wide + wideLength), win32test::Utf16(string.text));
        if (IsAscii(string.text)) {
            char narrow[1024] = {};
            const int length = ::LoadStringA(ResourceModule(), string.id, narrow, sizeof narrow);
            EXPECT_EQ(std::string(narrow, static_cast<std::size_t>(length)), string.text);
        }
    }
}

// A BITMAP resource is the .bmp file without its 14-byte file header.
TEST(ModuleBitmaps, EveryRenderedBitmapIsFoundAndLoads)
{
    int count = 0;
    for (const ResourceEntry& entry : RenderedEntries()) {
        if (entry.type != ResourceType::Bitmap)
            continue;
        ++count;
        SCOPED_TRACE("bitmap " + std::to_string(entry.id));
        const std::span<const std::uint8_t> found = ResourceBytes(reinterpret_cast<LPCSTR>(RT_BITMAP), entry.id);
        ASSERT_EQ(found.size() + 14, entry.data.size());
        EXPECT_EQ(std::memcmp(found.data(), entry.data.data() + 14, found.size()), 0);

        HBITMAP bitmap = static_cast<HBITMAP>(
            ::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(entry.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        BITMAP info = {};
        ASSERT_NE(::GetObjectA(bitmap, sizeof info, &info), 0);
        EXPECT_EQ(static_cast<std::uint32_t>(info.bmWidth), U32At(entry.data, 18));
        EXPECT_EQ(static_cast<std::uint32_t>(info.bmHeight), U32At(entry.data, 22));
        EXPECT_EQ(info.bmBitsPixel, U16At(entry.data, 28));
        ::DeleteObject(bitmap);
    }
    // The placeholder and the nine button faces.
    EXPECT_EQ(count, 10);
}

TEST(ModuleCursors, EveryCursorLoadsWithItsHotSpot)
{
    const int expected[] = {res::IDCUR_PIPETTE, res::IDCUR_BUCKET, res::IDCUR_SWAP};
    for (const int id : expected) {
        SCOPED_TRACE("cursor " + std::to_string(id));
        const ResourceEntry* rendered = nullptr;
        for (const ResourceEntry& entry : RenderedEntries()) {
            if (entry.type == ResourceType::Cursor && entry.id == id)
                rendered = &entry;
        }
        ASSERT_NE(rendered, nullptr);
        HCURSOR cursor = static_cast<HCURSOR>(
            ::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_CURSOR, 0, 0, 0));
        ASSERT_NE(cursor, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(cursor, &info));
        // The .cur directory's first entry keeps the hot spot at 10 and 12.
        EXPECT_EQ(info.xHotspot, U16At(rendered->data, 10));
        EXPECT_EQ(info.yHotspot, U16At(rendered->data, 12));
        EXPECT_FALSE(info.fIcon);
        if (info.hbmMask != nullptr)
            ::DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr)
            ::DeleteObject(info.hbmColor);
        ::DestroyCursor(cursor);
    }
}

// The group IDI_APPLET lists the six images of the .ico file, each stored
// as an icon resource of its own with the image's bytes.
TEST(ModuleIcon, TheAppletGroupCarriesAllSixImages)
{
    const ResourceEntry* ico = nullptr;
    for (const ResourceEntry& entry : RenderedEntries()) {
        if (entry.type == ResourceType::Icon && entry.id == res::IDI_APPLET)
            ico = &entry;
    }
    ASSERT_NE(ico, nullptr);
    const std::span<const std::uint8_t> file(ico->data);
    const std::span<const std::uint8_t> group = ResourceBytes(reinterpret_cast<LPCSTR>(RT_GROUP_ICON), res::IDI_APPLET);
    ASSERT_GE(group.size(), 6u);
    EXPECT_EQ(U16At(group, 2), 1);  // icons, not cursors
    const std::uint16_t count = U16At(group, 4);
    ASSERT_EQ(count, 6);
    ASSERT_EQ(count, U16At(file, 4));
    ASSERT_GE(group.size(), 6u + 14u * count);
    for (std::uint16_t i = 0; i < count; ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        const std::size_t entry = 6 + 14 * i;     // GRPICONDIRENTRY
        const std::size_t fileEntry = 6 + 16 * i;  // ICONDIRENTRY
        EXPECT_EQ(group[entry], file[fileEntry]);          // width
        EXPECT_EQ(group[entry + 1], file[fileEntry + 1]);  // height
        EXPECT_EQ(group[entry + 2], file[fileEntry + 2]);  // colours
        EXPECT_EQ(U16At(group, entry + 6), U16At(file, fileEntry + 6));  // bits per pixel
        const std::uint32_t size = U32At(file, fileEntry + 8);
        const std::uint32_t offset = U32At(file, fileEntry + 12);
        EXPECT_EQ(U32At(group, entry + 8), size);
        const std::span<const std::uint8_t> image =
            ResourceBytes(reinterpret_cast<LPCSTR>(RT_ICON), U16At(group, entry + 12));
        ASSERT_EQ(image.size(), size);
        ASSERT_LE(offset + size, file.size());
        EXPECT_EQ(std::memcmp(image.data(), file.data() + offset, size), 0);
    }
    for (const int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(
            ::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(res::IDI_APPLET), IMAGE_ICON, size, size, 0));
        EXPECT_NE(icon, nullptr) << size << " px";
        if (icon != nullptr)
            ::DestroyIcon(icon);
    }
}

TEST(ModuleVersion, TheVersionResourceCarriesEveryField)
{
    const std::span<const std::uint8_t> found = ResourceBytes(reinterpret_cast<LPCSTR>(RT_VERSION), res::IDV_VERSION_INFO);
    ASSERT_FALSE(found.empty());
    // VerQueryValue wants a writable copy of its own.
    std::vector<std::uint8_t> copy(found.begin(), found.end());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(::VerQueryValueA(copy.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    ASSERT_EQ(fixedSize, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    for (const res::VersionField& field : res::VersionFields()) {
        const std::string key(field.key);
        if (key == "FILEVERSION" || key == "PRODUCTVERSION" || key == "FILEOS" || key == "FILETYPE")
            continue;
        SCOPED_TRACE(key);
        const std::string path = "\\StringFileInfo\\040904E4\\" + key;
        char* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueA(copy.data(), path.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_EQ(std::string(value), field.value);
    }
}

}  // namespace
