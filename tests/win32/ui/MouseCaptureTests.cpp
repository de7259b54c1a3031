// Capture and confinement over the system's own calls.
#include "platform/WinTypes.h"

#include "platform/ui/MouseCapture.h"
#include "tests/win32/ui/TestWindow.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(MouseCapture, FollowsTheSystemsCapture)
{
    lumivane::test::TestWindow window;
    EXPECT_EQ(platform::SetCapture(window.Handle()), nullptr);
    EXPECT_EQ(platform::GetCapture(), window.Handle());
    EXPECT_EQ(::GetCapture(), window.Handle());
    EXPECT_TRUE(platform::ReleaseCapture());
    EXPECT_EQ(platform::GetCapture(), nullptr);
}

TEST(MouseCapture, DestroyedWindowLosesTheCapture)
{
    HWND captured = nullptr;
    {
        lumivane::test::TestWindow window;
        captured = window.Handle();
        platform::SetCapture(captured);
    }
    EXPECT_EQ(platform::GetCapture(), nullptr);
    // A window that is gone cannot take it.
    EXPECT_EQ(platform::SetCapture(captured), nullptr);
    EXPECT_EQ(platform::GetCapture(), nullptr);
}

TEST(ClipCursor, ConfinesThePointerAndIsRecorded)
{
    const RECT clip{20, 30, 60, 70};
    ASSERT_TRUE(platform::ClipCursor(&clip));
    ASSERT_TRUE(platform::CursorClip().has_value());
    EXPECT_EQ(platform::CursorClip()->left, 20);
    EXPECT_EQ(platform::CursorClip()->bottom, 70);
    RECT system{};
    ASSERT_TRUE(platform::GetClipCursor(&system));
    EXPECT_EQ(system.left, 20);
    EXPECT_EQ(system.top, 30);
    EXPECT_EQ(system.right, 60);
    EXPECT_EQ(system.bottom, 70);
    ::SetCursorPos(200, 200);
    POINT where{};
    ::GetCursorPos(&where);
    EXPECT_LT(where.x, 60);
    EXPECT_LT(where.y, 70);

    EXPECT_TRUE(platform::ClipCursor(nullptr));
    EXPECT_FALSE(platform::CursorClip().has_value());
    EXPECT_FALSE(platform::GetClipCursor(nullptr));
}

// As when another program comes to the foreground, or where Wine cannot
// confine the pointer and frees it at once.
TEST(ClipCursor, IsOverOnceTheSystemFreesTheCursor)
{
    const RECT clip{20, 30, 60, 70};
    ASSERT_TRUE(platform::ClipCursor(&clip));
    ::ClipCursor(nullptr);
    EXPECT_FALSE(platform::CursorClip().has_value());
}

TEST(ClampToRect, KeepsPointsInsideTheExclusiveEdges)
{
    const RECT rect{10, 10, 20, 30};
    const POINT outside = ClampToRect(POINT{100, -5}, rect);
    EXPECT_EQ(outside.x, 19);
    EXPECT_EQ(outside.y, 10);
    const POINT inside = ClampToRect(POINT{15, 25}, rect);
    EXPECT_EQ(inside.x, 15);
    EXPECT_EQ(inside.y, 25);
    const POINT empty = ClampToRect(POINT{0, 50}, RECT{5, 5, 5, 5});
    EXPECT_EQ(empty.x, 5);
    EXPECT_EQ(empty.y, 5);
}

}  // namespace
