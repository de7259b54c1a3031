// Dialog units to pixels: MulDiv rounding and the pixel sizes of the
// applet's dialogs.

#include "platform/qt/DialogTestSupport.h"

#include "platform/ui/CDialog.h"
#include "platform/ui/Dlu.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct MulDivCase {
    const char* name;
    int a, b, c;
    int expected;
};

class MulDivTest : public ::testing::TestWithParam<MulDivCase> {};

TEST_P(MulDivTest, RoundsHalfAwayFromZero)
{
    const MulDivCase& c = GetParam();
    EXPECT_EQ(platform::MulDiv(c.a, c.b, c.c), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MulDivTest,
    ::testing::Values(MulDivCase{"Exact", 400, 6, 4, 600}, MulDivCase{"HalfUp", 213, 6, 4, 320},
                      MulDivCase{"BelowHalfDown", 239, 13, 8, 388}, MulDivCase{"AboveHalfUp", 246, 13, 8, 400},
                      MulDivCase{"SmallHalfUp", 1, 3, 2, 2}, MulDivCase{"NegativeHalfAway", -1, 3, 2, -2},
                      MulDivCase{"NegativeDivisorHalfAway", 1, 3, -2, -2}, MulDivCase{"BothNegative", -1, 3, -2, 2},
                      MulDivCase{"ZeroDivisor", 5, 1, 0, -1}, MulDivCase{"WideProduct", INT_MAX, 2, 2, INT_MAX},
                      MulDivCase{"Overflow", INT_MAX, 4, 2, -1}, MulDivCase{"Zero", 0, 13, 8, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DluTest, ConvertsEachValueOnItsOwn)
{
    // 13 x 12 DLU at 120, 30: x 180, y 48.75 -> 49, width 19.5 -> 20, height 19.5 -> 20.
    const RECT r = platform::DluRectToPixels(120, 30, 13, 12);
    EXPECT_TRUE(uitest::SameRect(r, RECT{180, 49, 200, 69}));
}

struct DialogSizeCase {
    const char* name;
    short cx, cy;
    int width, height;
};

class DialogClientSizeTest : public ::testing::TestWithParam<DialogSizeCase> {};

TEST_P(DialogClientSizeTest, ClientAreaHasTemplateSize)
{
    const DialogSizeCase& c = GetParam();
    const platform::DialogTemplate tpl{1, "Size", 0, 0, c.cx, c.cy, uitest::kCaptioned, 0, "MS Sans Serif", 8, {}};
    platform::CDialog dialog(tpl);
    ASSERT_TRUE(dialog.Create());
    RECT client{};
    dialog.GetClientRect(&client);
    EXPECT_EQ(client.right, c.width);
    EXPECT_EQ(client.bottom, c.height);
    dialog.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogClientSizeTest,
                         ::testing::Values(DialogSizeCase{"MainDialog", 400, 239, 600, 388},
                                           DialogSizeCase{"PreviewDialog", 213, 246, 320, 400},
                                           DialogSizeCase{"AnimationOptions", 272, 73, 408, 119}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
