// Files dropped onto a window: WM_DROPFILES as the shell sends it, the
// handler run from the window's own message afterwards.
#include "platform/WinTypes.h"

#include "platform/ui/DropTarget.h"
#include "tests/win32/ui/ControlHost.h"
#include "tests/win32/ui/TestWindow.h"

#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using lumivane::test::ControlHost;
using lumivane::test::PumpMessages;
using namespace platform;

namespace {

// A drop's memory as the shell makes it: DROPFILES, then the paths, each
// ending in a zero, and one zero more.
HDROP MakeDrop(const std::vector<std::string>& paths)
{
    std::size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths)
        size += path.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, size);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    char* out = reinterpret_cast<char*>(header + 1);
    for (const std::string& path : paths) {
        std::memcpy(out, path.c_str(), path.size() + 1);
        out += path.size() + 1;
    }
    *out = '\0';
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void Drop(HWND target, const std::vector<std::string>& paths)
{
    ::SendMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
}

TEST(AcceptFileDrops, HandsOverTheFirstFileOnceTheDropIsOver)
{
    ControlHost host;
    std::vector<std::string> handed;
    ASSERT_TRUE(AcceptFileDrops(host.Window(), [&](const std::string& path) { handed.push_back(path); }));
    EXPECT_NE(::GetWindowLongA(host.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);

    Drop(host.Handle(), {"C:\\WINDOWS\\LOGOW.SYS", "C:\\other.bmp"});
    // Not while the drop is being handled: from the message loop.
    EXPECT_TRUE(handed.empty());
    PumpMessages();
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0], "C:\\WINDOWS\\LOGOW.SYS");

    Drop(host.Handle(), {"D:\\second.sys"});
    PumpMessages();
    ASSERT_EQ(handed.size(), 2u);
    EXPECT_EQ(handed[1], "D:\\second.sys");
}

TEST(AcceptFileDrops, ADropWithNoFilesHandsNothingOver)
{
    ControlHost host;
    int calls = 0;
    ASSERT_TRUE(AcceptFileDrops(host.Window(), [&](const std::string&) { ++calls; }));
    Drop(host.Handle(), {});
    PumpMessages();
    EXPECT_EQ(calls, 0);
}

TEST(AcceptFileDrops, TheHandlerMayCloseTheWindow)
{
    auto host = std::make_unique<ControlHost>();
    std::string handed;
    ASSERT_TRUE(AcceptFileDrops(host->Window(), [&](const std::string& path) {
        handed = path;
        host.reset();
    }));
    Drop(host->Handle(), {"C:\\LOGO.SYS"});
    PumpMessages();
    EXPECT_EQ(handed, "C:\\LOGO.SYS");
    EXPECT_EQ(host, nullptr);
}

TEST(AcceptFileDrops, DropsPendingWhenTheWindowGoesAreForgotten)
{
    int calls = 0;
    {
        ControlHost host;
        ASSERT_TRUE(AcceptFileDrops(host.Window(), [&](const std::string&) { ++calls; }));
        Drop(host.Handle(), {"C:\\LOGO.SYS"});
    }
    PumpMessages();
    EXPECT_EQ(calls, 0);
}

TEST(AcceptFileDrops, RefusedWithoutAWindow)
{
    CWnd none;
    EXPECT_FALSE(AcceptFileDrops(none, [](const std::string&) {}));
}

}  // namespace
