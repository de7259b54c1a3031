// Mouse capture and cursor confinement: recorded on every display, enforced
// where the pointer may be moved.

#include "platform/qt/CursorClipFilter.h"
#include "platform/ui/MouseCapture.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

HWND Hwnd(QWidget* widget)
{
    return reinterpret_cast<HWND>(widget);
}

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class CaptureTest : public testing::Test {
protected:
    void TearDown() override
    {
        platform::ReleaseCapture();
        platform::ClipCursor(nullptr);
        platform::CursorClipFilter::ImposePointerMoves(std::nullopt);
    }
};

TEST_F(CaptureTest, SetCaptureReturnsThePreviousWindow)
{
    QWidget editor;
    QWidget other;
    editor.show();
    other.show();
    EXPECT_EQ(platform::SetCapture(Hwnd(&editor)), nullptr);
    EXPECT_EQ(platform::GetCapture(), Hwnd(&editor));
    EXPECT_EQ(QWidget::mouseGrabber(), &editor);
    EXPECT_EQ(platform::SetCapture(Hwnd(&other)), Hwnd(&editor));
    EXPECT_EQ(QWidget::mouseGrabber(), &other);
    EXPECT_EQ(platform::ReleaseCapture(), TRUE);
    EXPECT_EQ(platform::GetCapture(), nullptr);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(CaptureTest, AHiddenWindowIsRecordedWithoutAGrab)
{
    QWidget hidden;
    platform::SetCapture(Hwnd(&hidden));
    EXPECT_EQ(platform::GetCapture(), Hwnd(&hidden));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(CaptureTest, ADestroyedWindowLosesTheCapture)
{
    auto window = std::make_unique<QWidget>();
    window->show();
    platform::SetCapture(Hwnd(window.get()));
    window.reset();
    EXPECT_EQ(platform::GetCapture(), nullptr);
    EXPECT_EQ(platform::ReleaseCapture(), TRUE);
}

TEST_F(CaptureTest, ClipCursorIsRecordedAndReleased)
{
    const RECT preview{100, 120, 420, 520};
    EXPECT_EQ(platform::ClipCursor(&preview), TRUE);
    ASSERT_TRUE(platform::CursorClip());
    EXPECT_TRUE(*platform::CursorClip() == preview);
    RECT seen{};
    EXPECT_EQ(platform::GetClipCursor(&seen), TRUE);
    EXPECT_TRUE(seen == preview);

    EXPECT_EQ(platform::ClipCursor(nullptr), TRUE);
    EXPECT_FALSE(platform::CursorClip());
}

TEST_F(CaptureTest, WithoutConfinementGetClipCursorGivesTheWholeScreen)
{
    RECT seen{1, 2, 3, 4};
    EXPECT_EQ(platform::GetClipCursor(&seen), TRUE);
    const QRect all = QGuiApplication::primaryScreen()->virtualGeometry();
    EXPECT_TRUE(seen == (RECT{all.left(), all.top(), all.left() + all.width(), all.top() + all.height()}));
    EXPECT_EQ(platform::GetClipCursor(nullptr), FALSE);
}

struct ClampCase {
    const char* name;
    POINT point;
    RECT rect;
    POINT expected;
};

void PrintTo(const ClampCase& c, std::ostream* os)
{
    *os << c.name;
}

class ClampToRectTest : public testing::TestWithParam<ClampCase> {};

TEST_P(ClampToRectTest, MovesThePointInside)
{
    const POINT p = platform::ClampToRect(GetParam().point, GetParam().rect);
    EXPECT_EQ(p.x, GetParam().expected.x);
    EXPECT_EQ(p.y, GetParam().expected.y);
}

INSTANTIATE_TEST_SUITE_P(
    Points, ClampToRectTest,
    testing::Values(ClampCase{"InsideStays", {15, 15}, {10, 10, 20, 20}, {15, 15}},
                    ClampCase{"RightAndBottomAreExclusive", {20, 20}, {10, 10, 20, 20}, {19, 19}},
                    ClampCase{"AboveLeft", {-5, 3}, {10, 10, 20, 20}, {10, 10}},
                    ClampCase{"FarBelowRight", {5000, 5000}, {10, 10, 20, 20}, {19, 19}},
                    ClampCase{"EmptyRectHoldsItsCorner", {0, 50}, {10, 10, 10, 10}, {10, 10}},
                    ClampCase{"InvertedRectHoldsItsCorner", {0, 50}, {30, 30, 10, 10}, {30, 30}}),
    [](const testing::TestParamInfo<ClampCase>& info) { return std::string(info.param.name); });

TEST_F(CaptureTest, OffscreenThePointerIsNotMoved)
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        GTEST_SKIP() << "runs on the offscreen display only";
    QCursor::setPos(500, 500);
    const QPoint before = QCursor::pos();
    const RECT area{10, 10, 20, 20};
    platform::ClipCursor(&area);
    EXPECT_EQ(QCursor::pos(), before);
}

TEST_F(CaptureTest, WhereThePointerMayMoveConfinementPutsItBackInside)
{
    platform::CursorClipFilter::ImposePointerMoves(true);
    QCursor::setPos(500, 500);
    if (QCursor::pos() != QPoint(500, 500))
        GTEST_SKIP() << "this display cannot place the pointer";

    const RECT area{10, 10, 20, 20};
    platform::ClipCursor(&area);
    EXPECT_EQ(QCursor::pos(), QPoint(19, 19));

    // A later move outside is caught by the application's event filter.
    QCursor::setPos(2, 300);
    QWidget target;
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(2, 300), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &move);
    EXPECT_EQ(QCursor::pos(), QPoint(10, 19));

    platform::ClipCursor(nullptr);
    QCursor::setPos(300, 300);
    QCoreApplication::sendEvent(&target, &move);
    EXPECT_EQ(QCursor::pos(), QPoint(300, 300));
}

}  // namespace
