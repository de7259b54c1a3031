// The pixel-buffer device context: Windows' Rectangle rules with and
// without a pen, fills, pixel access and object selection.

#include "platform/ui/CDC.h"
#include "platform/ui/PixelBuffer.h"
#include "platform/ui/UiConstants.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using platform::CBrush;
using platform::CDC;
using platform::CPen;
using platform::PixelBuffer;

constexpr COLORREF kGround = RGB(1, 2, 3);
constexpr COLORREF kFill = RGB(200, 10, 20);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// The bounding box of every pixel of a colour.
struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
};

Box BoxOf(const PixelBuffer& buffer, COLORREF color)
{
    Box box;
    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) {
            if (buffer.GetPixel(x, y) == color) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
                ++box.count;
            }
        }
    }
    return box;
}

class RectangleTest : public ::testing::Test {
protected:
    PixelBuffer buffer{40, 40, kGround};
    CDC dc{&buffer};
    CBrush brush{kFill};
};

TEST_F(RectangleTest, NullPenLeavesOutRightColumnAndBottomRow)
{
    dc.SelectStockObject(NULL_PEN);
    dc.SelectObject(&brush);
    dc.Rectangle(3, 3, 13, 13);
    const Box box = BoxOf(buffer, kFill);
    EXPECT_EQ(box.left, 3);
    EXPECT_EQ(box.top, 3);
    EXPECT_EQ(box.right, 11);
    EXPECT_EQ(box.bottom, 11);
    EXPECT_EQ(box.count, 81);
}

TEST_F(RectangleTest, OnePixelPenFramesTheWholeRectangle)
{
    CPen pen(PS_SOLID, 1, kGreen);
    dc.SelectObject(&pen);
    dc.SelectObject(&brush);
    dc.Rectangle(3, 3, 13, 13);
    const Box frame = BoxOf(buffer, kGreen);
    EXPECT_EQ(frame.left, 3);
    EXPECT_EQ(frame.right, 12);
    EXPECT_EQ(frame.top, 3);
    EXPECT_EQ(frame.bottom, 12);
    EXPECT_EQ(frame.count, 36);
    const Box inside = BoxOf(buffer, kFill);
    EXPECT_EQ(inside.left, 4);
    EXPECT_EQ(inside.right, 11);
    EXPECT_EQ(inside.count, 64);
}

TEST_F(RectangleTest, TwoPixelPenIsCentredOnTheOutline)
{
    CPen pen(PS_SOLID, 2, kGreen);
    dc.SelectObject(&pen);
    dc.SelectObject(&brush);
    dc.Rectangle(3, 3, 13, 13);
    const Box frame = BoxOf(buffer, kGreen);
    EXPECT_EQ(frame.left, 2);
    EXPECT_EQ(frame.top, 2);
    EXPECT_EQ(frame.right, 12);
    EXPECT_EQ(frame.bottom, 12);
    EXPECT_EQ(frame.count, 11 * 11 - 7 * 7);
    EXPECT_EQ(buffer.GetPixel(2, 2), kGreen) << "corners are filled at width 2";
    const Box inside = BoxOf(buffer, kFill);
    EXPECT_EQ(inside.left, 4);
    EXPECT_EQ(inside.right, 10);
    EXPECT_EQ(inside.count, 49);
}

TEST_F(RectangleTest, WidePenRoundsOuterCorners)
{
    CPen pen(PS_SOLID, 4, kGreen);
    dc.SelectObject(&pen);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(10, 10, 20, 20);
    EXPECT_EQ(buffer.GetPixel(8, 8), kGround) << "the outermost corner pixel lies outside the round join";
    EXPECT_EQ(buffer.GetPixel(9, 8), kGreen);
    EXPECT_EQ(buffer.GetPixel(8, 9), kGreen);
    EXPECT_EQ(buffer.GetPixel(12, 12), kGround) << "null brush leaves the inside alone";
}

TEST_F(RectangleTest, SwappedCornersDrawTheSameRectangle)
{
    dc.SelectStockObject(NULL_PEN);
    dc.SelectObject(&brush);
    dc.Rectangle(13, 13, 3, 3);
    EXPECT_EQ(BoxOf(buffer, kFill).count, 81);
}

TEST_F(RectangleTest, EmptyAndClippedRectanglesStayInTheBuffer)
{
    dc.SelectObject(&brush);
    EXPECT_TRUE(dc.Rectangle(5, 5, 5, 9));
    EXPECT_EQ(BoxOf(buffer, kFill).count, 0);
    dc.Rectangle(-10, -10, 100, 100);
    EXPECT_EQ(buffer.GetPixel(39, 39), kFill);
}

TEST(DeviceContextTest, SelectObjectReturnsThePreviousObject)
{
    PixelBuffer buffer(4, 4, kGround);
    CDC dc(&buffer);
    CPen pen(PS_SOLID, 1, kGreen);
    CPen* original = dc.SelectObject(&pen);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(dc.SelectObject(original), &pen);
    CBrush brush(kFill);
    CBrush* originalBrush = dc.SelectObject(&brush);
    EXPECT_EQ(dc.SelectObject(originalBrush), &brush);
    EXPECT_EQ(dc.SelectStockObject(NULL_PEN), original);
}

TEST(DeviceContextTest, UncreatedObjectsAreRefused)
{
    PixelBuffer buffer(4, 4, kGround);
    CDC dc(&buffer);
    CPen empty;
    CBrush deleted(kFill);
    deleted.DeleteObject();
    EXPECT_EQ(dc.SelectObject(&empty), nullptr);
    EXPECT_EQ(dc.SelectObject(&deleted), nullptr);
    EXPECT_EQ(dc.SelectStockObject(12345), nullptr);
}

TEST(DeviceContextTest, PenDestroyedWhileSelectedIsNotRead)
{
    PixelBuffer buffer(20, 20, kGround);
    CDC dc(&buffer);
    {
        CPen pen(PS_SOLID, 1, kGreen);
        dc.SelectObject(&pen);
    }
    dc.Rectangle(2, 2, 6, 6);
    EXPECT_EQ(buffer.GetPixel(2, 2), kGreen);
}

TEST(DeviceContextTest, PixelsOutsideTheBufferAreInvalid)
{
    PixelBuffer buffer(4, 3, kGround);
    CDC dc(&buffer);
    EXPECT_EQ(dc.SetPixel(1, 2, kFill), kFill);
    EXPECT_EQ(dc.GetPixel(1, 2), kFill);
    EXPECT_EQ(dc.GetPixel(4, 0), CLR_INVALID);
    EXPECT_EQ(dc.GetPixel(-1, 0), CLR_INVALID);
    EXPECT_EQ(dc.SetPixel(0, 3, kFill), CLR_INVALID);
    CDC none;
    EXPECT_EQ(none.GetPixel(0, 0), CLR_INVALID);
    EXPECT_FALSE(none.Rectangle(0, 0, 2, 2));
}

TEST(DeviceContextTest, FillSolidRectCoversWidthTimesHeight)
{
    PixelBuffer buffer(10, 10, kGround);
    CDC dc(&buffer);
    dc.FillSolidRect(2, 3, 4, 5, kFill);
    const Box box = BoxOf(buffer, kFill);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.right, 5);
    EXPECT_EQ(box.top, 3);
    EXPECT_EQ(box.bottom, 7);
    EXPECT_EQ(box.count, 20);
}

}  // namespace
