// The built lumva.cpl in a host that does what the Control Panel does:
// load the module, find CPlApplet by its plain name, CPL_INIT, CPL_GETCOUNT,
// CPL_INQUIRE per item, CPL_STOP per item, CPL_EXIT, unload; and read the
// item's name, description and icon from the module's resources by the ids
// CPL_INQUIRE gave.
#include "resources/ResourceIds.h"
#include "tests/win32/AppletModule.h"

#include <cpl.h>
#include <winver.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#ifndef LUMIVANE_CPL_MODULE
#error "LUMIVANE_CPL_MODULE names the lumva.cpl under test"
#endif

namespace {

using win32_test::HostWindow;
using win32_test::LoadedApplet;

// The module under test: LUMIVANE_CPL from the environment (the lumva.cpl
// that ships), else the one this tree built.
const char* ModulePath()
{
    const char* given = std::getenv("LUMIVANE_CPL");
    return given != nullptr && *given != '\0' ? given : LUMIVANE_CPL_MODULE;
}

std::string LoadModuleString(HMODULE module, int id)
{
    char text[512] = {};
    const int length = ::LoadStringA(module, static_cast<UINT>(id), text, sizeof text);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// The names a module exports, from its export directory in memory.
std::vector<std::string> ExportedNames(HMODULE module)
{
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::vector<std::string> names;
    if (entry.VirtualAddress == 0)
        return names;
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    const auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.emplace_back(reinterpret_cast<const char*>(base + nameRvas[i]));
    return names;
}

// The width of an icon as the system made it: Windows gives a monochrome
// icon as one mask, Wine gives a colour image beside it; the width is the
// mask's in both.
int IconWidth(HICON icon)
{
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return 0;
    BITMAP mask{};
    const int width = ::GetObjectA(info.hbmMask, sizeof mask, &mask) == sizeof mask ? mask.bmWidth : 0;
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    return width;
}

TEST(CplModule, ExportsCPlAppletAloneByItsPlainName)
{
    LoadedApplet applet(ModulePath());
    ASSERT_NE(applet.Module(), nullptr) << "LoadLibraryA failed with " << ::GetLastError();
    EXPECT_NE(applet.Entry(), nullptr);
    EXPECT_EQ(ExportedNames(applet.Module()), std::vector<std::string>{"CPlApplet"});
}

TEST(CplModule, AnswersTheControlPanelsMessagesInOrder)
{
    HostWindow host;
    LoadedApplet applet(ModulePath());
    ASSERT_NE(applet.Entry(), nullptr);

    EXPECT_NE(applet.Send(host.Handle(), CPL_INIT), 0);
    ASSERT_EQ(applet.Send(host.Handle(), CPL_GETCOUNT), 1);

    CPLINFO info{};
    info.idIcon = info.idName = info.idInfo = -7;
    info.lData = 0x5a5a;
    EXPECT_EQ(applet.Send(host.Handle(), CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.idIcon, res::IDI_APPLET);
    EXPECT_EQ(info.idName, static_cast<int>(res::IDS_APPLET_NAME));
    EXPECT_EQ(info.idInfo, static_cast<int>(res::IDS_APPLET_DESCRIPTION));

    EXPECT_EQ(applet.Send(host.Handle(), CPL_STOP, 0, info.lData), 0);
    EXPECT_EQ(applet.Send(host.Handle(), CPL_EXIT), 0);
    EXPECT_TRUE(applet.Unload());
}

TEST(CplModule, ItsResourcesHoldWhatTheInquiryNames)
{
    HostWindow host;
    LoadedApplet applet(ModulePath());
    ASSERT_NE(applet.Entry(), nullptr);
    ASSERT_NE(applet.Send(host.Handle(), CPL_INIT), 0);
    CPLINFO info{};
    applet.Send(host.Handle(), CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info));

    EXPECT_EQ(LoadModuleString(applet.Module(), info.idName), "Lumivane");
    EXPECT_EQ(LoadModuleString(applet.Module(), info.idInfo), "Change the windows startup & shutdown screens");
    EXPECT_NE(::LoadIconA(applet.Module(), MAKEINTRESOURCEA(info.idIcon)), nullptr);
    // The Control Panel lists the item large or small; the icon carries both.
    for (const int size : {16, 32, 48}) {
        const auto icon = static_cast<HICON>(
            ::LoadImageA(applet.Module(), MAKEINTRESOURCEA(info.idIcon), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << size << " px";
        EXPECT_EQ(IconWidth(icon), size);
        ::DestroyIcon(icon);
    }
    applet.Send(host.Handle(), CPL_STOP, 0, info.lData);
    applet.Send(host.Handle(), CPL_EXIT);
}

// A string of the module's version information, in its first translation.
std::string VersionString(const std::vector<BYTE>& info, const char* name)
{
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &value, &length) || length < 4)
        return "(no translation)";
    const auto* translation = static_cast<const WORD*>(value);
    char path[128] = {};
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translation[0], translation[1], name);
    if (!::VerQueryValueA(info.data(), path, &value, &length))
        return "(missing)";
    return std::string(static_cast<const char*>(value), length > 0 ? length - 1 : 0);
}

TEST(CplModule, CarriesItsVersionInformation)
{
    char* const path = const_cast<char*>(ModulePath());
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, info.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(info.data(), const_cast<char*>("\\"), &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileType, DWORD{VFT_DLL});
    EXPECT_EQ(fixed->dwFileOS, DWORD{VOS__WINDOWS32});
    const std::pair<const char*, const char*> strings[] = {
        {"FileDescription", "Change your windows logos to anything you want!"},
        {"FileVersion", "2, 0, 0, 0"},
        {"ProductVersion", "2.0"},
        {"InternalName", "lumva"},
        {"OriginalFilename", "lumva.cpl"},
        {"ProductName", "lumva Control Panel Extension"},
    };
    for (const auto& [name, expected] : strings)
        EXPECT_EQ(VersionString(info, name), expected) << name;
}

// The Control Panel loads an applet once to list it and again to run it; the
// module must come back whole, and leave nothing behind that keeps it loaded.
TEST(CplModule, UnloadsAndLoadsAgainInOneProcess)
{
    HostWindow host;
    for (int round = 0; round < 2; ++round) {
        LoadedApplet applet(ModulePath());
        ASSERT_NE(applet.Entry(), nullptr) << "round " << round;
        EXPECT_NE(applet.Send(host.Handle(), CPL_INIT), 0) << "round " << round;
        EXPECT_EQ(applet.Send(host.Handle(), CPL_GETCOUNT), 1) << "round " << round;
        EXPECT_EQ(applet.Send(host.Handle(), CPL_EXIT), 0) << "round " << round;
        EXPECT_TRUE(applet.Unload());
        EXPECT_EQ(::GetModuleHandleA(ModulePath()), nullptr) << "round " << round;
    }
}

}  // namespace
