// Cursors from the module's resources and the program cursor's rules; the
// test program carries cursor 500 (32 x 32, hot spot 3, 4).
#include "platform/WinTypes.h"

#include "platform/ui/CursorSuspension.h"
#include "platform/ui/Cursors.h"
#include "platform/win32/ui/CursorControl.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr int kTestCursor = 500;

TEST(LoadCursor, ModuleCursorIsDescribedFromItsResource)
{
    const HCURSOR cursor = LoadCursorA(kTestCursor);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(LoadCursorA(kTestCursor), cursor);
    const auto info = DescribeCursor(cursor);
    ASSERT_TRUE(info.has_value());
    EXPECT_FALSE(info->standard);
    EXPECT_EQ(info->resourceId, kTestCursor);
    EXPECT_EQ(info->width, 32);
    EXPECT_EQ(info->height, 32);
    EXPECT_EQ(info->hotX, 3);
    EXPECT_EQ(info->hotY, 4);
}

TEST(LoadCursor, StandardCursorsAndMissingResources)
{
    const HCURSOR arrow = LoadCursorA(IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    const auto info = DescribeCursor(LoadCursorA(IDC_WAIT));
    ASSERT_TRUE(info.has_value());
    EXPECT_TRUE(info->standard);
    EXPECT_EQ(info->resourceId, IDC_WAIT);
    EXPECT_EQ(info->width, 0);
    EXPECT_EQ(LoadCursorA(501), nullptr);
    EXPECT_EQ(LoadCursorA(-3), nullptr);
    EXPECT_FALSE(DescribeCursor(nullptr).has_value());
}

TEST(SetCursor, KeepsOnlyCursorsOfThisLayer)
{
    const HCURSOR mine = LoadCursorA(kTestCursor);
    EXPECT_EQ(platform::SetCursor(mine), nullptr);
    EXPECT_EQ(platform::GetCursor(), mine);
    EXPECT_TRUE(win32::ApplyProgramCursor());
    EXPECT_EQ(::GetCursor(), mine);

    const HCURSOR foreign = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32513));  // the I-beam, never loaded here
    EXPECT_EQ(platform::SetCursor(foreign), mine);
    EXPECT_EQ(platform::GetCursor(), nullptr);
    EXPECT_FALSE(win32::ApplyProgramCursor());
}

TEST(WaitCursor, CoversTheProgramCursorAndNests)
{
    const HCURSOR mine = LoadCursorA(kTestCursor);
    const HCURSOR wait = LoadCursorA(IDC_WAIT);
    platform::SetCursor(mine);
    BeginWaitCursor();
    BeginWaitCursor();
    EXPECT_EQ(ShownCursor(), wait);
    EndWaitCursor();
    EXPECT_EQ(ShownCursor(), wait);
    EXPECT_TRUE(win32::ApplyProgramCursor());
    EXPECT_EQ(::GetCursor(), wait);
    EndWaitCursor();
    EXPECT_EQ(ShownCursor(), mine);
    EndWaitCursor();  // unmatched: nothing changes
    EXPECT_EQ(ShownCursor(), mine);
    EXPECT_EQ(platform::GetCursor(), mine);

    SuspendProgramCursor();
    SuspendProgramCursor();
    ResumeProgramCursor();
    EXPECT_FALSE(win32::ApplyProgramCursor());
    ResumeProgramCursor();
    EXPECT_TRUE(win32::ApplyProgramCursor());
    platform::SetCursor(nullptr);
    EXPECT_FALSE(win32::ApplyProgramCursor());
}

}  // namespace
