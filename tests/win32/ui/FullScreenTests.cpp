// Full screen over the monitor and back to the window's own frame and place.
#include "platform/WinTypes.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/FullScreen.h"
#include "tests/win32/ui/TestWindow.h"

#include <gtest/gtest.h>

using lumivane::test::PumpMessages;
using namespace platform;

namespace {

// A captioned, sizeable top-level window away from the screen's corner.
class FramedWindow {
public:
    FramedWindow()
    {
        m_hwnd = ::CreateWindowExA(0, "STATIC", "framed", WS_OVERLAPPEDWINDOW, 40, 30, 200, 150, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
        ::ShowWindow(m_hwnd, SW_SHOWNORMAL);
        PumpMessages();
        window.Attach(m_hwnd);
    }
    ~FramedWindow()
    {
        window.Detach();
        ::DestroyWindow(m_hwnd);
        PumpMessages();
    }
    HWND Handle() const { return m_hwnd; }
    RECT Rect() const
    {
        RECT rect{};
        ::GetWindowRect(m_hwnd, &rect);
        return rect;
    }
    LONG Style() const { return ::GetWindowLongA(m_hwnd, GWL_STYLE); }

    CWnd window;

private:
    HWND m_hwnd = nullptr;
};

TEST(FullScreen, CoversTheMonitorWithoutAFrameAndComesBack)
{
    FramedWindow framed;
    const RECT normal = framed.Rect();
    EXPECT_FALSE(IsFullScreen(framed.window));

    ASSERT_TRUE(SetFullScreen(framed.window, TRUE));
    PumpMessages();
    EXPECT_TRUE(IsFullScreen(framed.window));
    const RECT full = framed.Rect();
    EXPECT_EQ(full.left, 0);
    EXPECT_EQ(full.top, 0);
    EXPECT_EQ(full.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(full.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(framed.Style() & WS_CAPTION, 0);
    EXPECT_EQ(framed.Style() & WS_THICKFRAME, 0);
    EXPECT_NE(framed.Style() & WS_POPUP, 0);
    RECT client{};
    ::GetClientRect(framed.Handle(), &client);
    EXPECT_EQ(client.right, full.right);
    EXPECT_EQ(client.bottom, full.bottom);
    // Asking again changes nothing.
    EXPECT_TRUE(SetFullScreen(framed.window, TRUE));

    ASSERT_TRUE(SetFullScreen(framed.window, FALSE));
    PumpMessages();
    EXPECT_FALSE(IsFullScreen(framed.window));
    const RECT back = framed.Rect();
    EXPECT_EQ(back.left, normal.left);
    EXPECT_EQ(back.top, normal.top);
    EXPECT_EQ(back.right, normal.right);
    EXPECT_EQ(back.bottom, normal.bottom);
    EXPECT_EQ(framed.Style() & WS_CAPTION, WS_CAPTION);
    EXPECT_NE(framed.Style() & WS_THICKFRAME, 0);
    EXPECT_TRUE(SetFullScreen(framed.window, FALSE));
}

TEST(FullScreen, OnlyForTopLevelWindowsThatExist)
{
    FramedWindow framed;
    HWND child = ::CreateWindowExA(0, "STATIC", "child", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, framed.Handle(), nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    CWnd control;
    control.Attach(child);
    EXPECT_FALSE(SetFullScreen(control, TRUE));
    EXPECT_FALSE(IsFullScreen(control));
    control.Detach();
    CWnd none;
    EXPECT_FALSE(SetFullScreen(none, TRUE));
    EXPECT_FALSE(IsFullScreen(none));
}

TEST(FullScreen, StateEndsWithTheWindow)
{
    HWND gone = nullptr;
    {
        FramedWindow framed;
        gone = framed.Handle();
        ASSERT_TRUE(SetFullScreen(framed.window, TRUE));
    }
    CWnd stale;
    stale.Attach(gone);
    EXPECT_FALSE(IsFullScreen(stale));
    stale.Detach();
}

}  // namespace
