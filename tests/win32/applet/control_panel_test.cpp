// lumva.cpl opened the way a user opens it, by Wine's Control Panel
// (control.exe with the module's path): its "Lumivane" main dialog must be on
// the screen within a deadline, as Wine's default Windows and as Windows 98
// (the version Wine reports to control.exe alone). A picture of the dialog
// is saved beside this program, lumva-control-<version>.bmp, to look at.
#include "tests/win32/PrefixFiles.h"
#include "tests/win32/WindowSearch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#ifndef LUMIVANE_CPL_MODULE
#error "LUMIVANE_CPL_MODULE names the lumva.cpl under test"
#endif

namespace {

using win32_test::VisibleWindowTitled;

constexpr DWORD kDeadlineMs = 60000;
constexpr const char* kAppDefaults = "Software\\Wine\\AppDefaults\\control.exe";

// The module under test: LUMIVANE_CPL from the environment (the lumva.cpl
// that ships), else the one this tree built; with backslashes, as a user
// would type it.
std::string ModulePath()
{
    const char* given = std::getenv("LUMIVANE_CPL");
    std::string path = given != nullptr && *given != '\0' ? given : LUMIVANE_CPL_MODULE;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string ThisFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The Windows version Wine reports to control.exe; empty for its default.
void SetControlPanelVersion(const std::string& version)
{
    if (version.empty()) {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults);
        return;
    }
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                     static_cast<DWORD>(version.size() + 1));
    ::RegCloseKey(key);
}

// The window as it is on the screen, as a 24-bit BMP file.
bool SavePicture(HWND window, const std::string& file)
{
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = ((static_cast<DWORD>(width) * 24 + 31) / 32) * 4;
    std::vector<BYTE> pixels(stride * static_cast<DWORD>(height));
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    const BOOL copied = ::BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    ::SelectObject(memory, old);
    const int rows = ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                 reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    if (!copied || rows != height)
        return false;
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4d42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fileHeader), sizeof fileHeader);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    return out.good();
}

class ControlPanel : public ::testing::TestWithParam<const char*> {
protected:
    void TearDown() override { SetControlPanelVersion(""); }
};

TEST_P(ControlPanel, ShowsTheMainDialogWithinTheDeadline)
{
    const std::string version = GetParam();
    ASSERT_NO_FATAL_FAILURE(scenario::WriteSystemLogos());
    ASSERT_NO_FATAL_FAILURE(SetControlPanelVersion(version == "default" ? "" : version));
    ASSERT_EQ(VisibleWindowTitled("Lumivane"), nullptr) << "a main dialog is open already";

    std::string command = "control.exe \"" + ModulePath() + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process))
        << command;
    HWND dialog = nullptr;
    const DWORD started = ::GetTickCount();
    while (dialog == nullptr && ::GetTickCount() - started < kDeadlineMs &&
           ::WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT)
        dialog = VisibleWindowTitled("Lumivane");
    const DWORD waited = ::GetTickCount() - started;

    if (dialog != nullptr) {
        // It paints after it is shown: wait until it waits for input.
        ::WaitForInputIdle(process.hProcess, 20000);
        ::Sleep(500);
        EXPECT_TRUE(SavePicture(dialog, ThisFolder() + "lumva-control-" + version + ".bmp"));
        ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
    const bool ended = ::WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
    if (!ended)
        ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    ASSERT_NE(dialog, nullptr) << "no \"Lumivane\" window within " << kDeadlineMs / 1000 << " s";
    EXPECT_TRUE(ended) << "the Control Panel did not end when the dialog closed";
    std::printf("the main dialog was shown after %lu ms\n", static_cast<unsigned long>(waited));
}

INSTANTIATE_TEST_SUITE_P(AsWindows, ControlPanel, ::testing::Values("default", "win98"));

}  // namespace
