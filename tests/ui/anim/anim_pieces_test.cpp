// The editor's building blocks on their own: field text, the field message
// gate, the swatch geometry and window placement.

#include "platform/ui/PixelBuffer.h"
#include "platform/ui/CDC.h"
#include "ui/anim/FieldMessageGate.h"
#include "ui/anim/FieldValue.h"
#include "ui/anim/SwatchGrid.h"
#include "ui/anim/WindowPlacement.h"
#include "logo/PaletteOperations.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct FieldCase {
    const char* name;
    const char* text;
    std::optional<int> value;
};

class FieldValueTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldValueTest, ParsesUnsignedDecimalUpTo255)
{
    const FieldCase& c = GetParam();
    const std::optional<std::uint8_t> parsed = ParseFieldValue(c.text);
    ASSERT_EQ(parsed.has_value(), c.value.has_value());
    if (c.value) {
        EXPECT_EQ(*parsed, *c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FieldValueTest,
    ::testing::Values(FieldCase{"Zero", "0", 0}, FieldCase{"Largest", "255", 255}, FieldCase{"JustAbove", "256", {}},
                      FieldCase{"ThreeHundred", "300", {}}, FieldCase{"LeadingZeros", "0007", 7},
                      FieldCase{"ManyZerosThenValue", "000000000000000000000042", 42},
                      FieldCase{"HugeNumber", "99999999999999999999", {}}, FieldCase{"BlanksAround", "  12 ", 12},
                      FieldCase{"TabsAround", "\t9\t", 9}, FieldCase{"Empty", "", {}}, FieldCase{"OnlyBlanks", "  \t", {}},
                      FieldCase{"PlusSign", "+5", {}}, FieldCase{"MinusSign", "-5", {}},
                      FieldCase{"InnerBlank", "1 2", {}}, FieldCase{"Letter", "12a", {}}, FieldCase{"NewLine", "12\n", {}}),
    [](const ::testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

TEST(FieldValue, WritesPlainDecimal)
{
    EXPECT_EQ(FieldText(0), "0");
    EXPECT_EQ(FieldText(21), "21");
    EXPECT_EQ(FieldText(255), "255");
}

TEST(FieldMessageGate, PassiveReadsReportTheSameBadTextOnce)
{
    FieldMessageGate gate;
    ASSERT_TRUE(gate.MayShow(1009, "300", FieldReadSource::Passive));
    gate.BeginMessage(1009, "300");
    // A repaint while the message is up stays silent, even for a command.
    EXPECT_FALSE(gate.MayShow(1009, "300", FieldReadSource::Passive));
    EXPECT_FALSE(gate.MayShow(1010, "999", FieldReadSource::Command));
    gate.EndMessage();
    EXPECT_FALSE(gate.MayShow(1009, "300", FieldReadSource::Passive));
    EXPECT_TRUE(gate.MayShow(1009, "301", FieldReadSource::Passive));
    EXPECT_TRUE(gate.MayShow(1010, "300", FieldReadSource::Passive));
    EXPECT_TRUE(gate.MayShow(1009, "300", FieldReadSource::Command));
}

TEST(FieldMessageGate, AGoodReadMakesTheSameBadTextNewsAgain)
{
    FieldMessageGate gate;
    gate.BeginMessage(1012, "");
    gate.EndMessage();
    EXPECT_FALSE(gate.MayShow(1012, "", FieldReadSource::Passive));
    gate.FieldAccepted(1012);
    EXPECT_TRUE(gate.MayShow(1012, "", FieldReadSource::Passive));
}

TEST(SwatchGrid, RectanglesFollowThePitchAndMatchEntryAt)
{
    EXPECT_EQ(SwatchRect(0).left, 3);
    EXPECT_EQ(SwatchRect(0).top, 3);
    EXPECT_EQ(SwatchRect(0).right, 13);
    EXPECT_EQ(SwatchRect(31).left, 313);
    EXPECT_EQ(SwatchRect(32).left, 3);
    EXPECT_EQ(SwatchRect(32).top, 13);
    EXPECT_EQ(SwatchRect(255).left, 313);
    EXPECT_EQ(SwatchRect(255).top, 73);
    for (int i = 0; i < 256; ++i) {
        const RECT r = SwatchRect(i);
        EXPECT_EQ(logo::EntryAt(r.left + 4, r.top + 4), i);
        EXPECT_EQ(logo::EntryAt(r.right - 2, r.bottom - 2), i);
    }
}

TEST(SwatchGrid, PaintsNineByNineSwatchesAndAGreenFrame)
{
    platform::PixelBuffer buffer;
    buffer.Reset(330, 90, RGB(1, 2, 3));
    platform::CDC dc(&buffer);
    logo::ColorTable table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = logo::RgbQuad{static_cast<std::uint8_t>(i), 0, 100, 0};
    PaintSwatchGrid(dc, table, 33);
    // Entry 0: 3..11 x 3..11, the gap at 12 keeps the background.
    EXPECT_EQ(dc.GetPixel(3, 3), RGB(100, 0, 0));
    EXPECT_EQ(dc.GetPixel(11, 11), RGB(100, 0, 0));
    EXPECT_EQ(dc.GetPixel(12, 5), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetPixel(5, 12), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetPixel(13, 3), RGB(100, 0, 1));
    // Entry 33 at (13, 13): a 2-pixel green frame over 12..22, the fill inside.
    for (const auto& [x, y] : {std::pair{12, 12}, std::pair{13, 13}, std::pair{22, 17}, std::pair{17, 22}, std::pair{21, 21}})
        EXPECT_EQ(dc.GetPixel(x, y), kHighlightColor) << x << "," << y;
    EXPECT_EQ(dc.GetPixel(17, 17), RGB(100, 0, 33));
    EXPECT_EQ(dc.GetPixel(14, 14), RGB(100, 0, 33));
}

struct PlacementCase {
    const char* name;
    POINT wanted;
    POINT expected;
};

class PlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, KeepsTheWindowOnTheScreen)
{
    const RECT screen{0, 0, 800, 600};
    const POINT placed = ClampWindowPosition(GetParam().wanted, 200, 100, screen);
    EXPECT_EQ(placed.x, GetParam().expected.x);
    EXPECT_EQ(placed.y, GetParam().expected.y);
}

INSTANTIATE_TEST_SUITE_P(Positions, PlacementTest,
                         ::testing::Values(PlacementCase{"Inside", {100, 50}, {100, 50}},
                                           PlacementCase{"PastTheRightAndBottom", {5000, 4000}, {600, 500}},
                                           PlacementCase{"LeftOfAndAboveTheScreen", {-300, -20}, {0, 0}},
                                           PlacementCase{"ExactlyAtTheEdge", {600, 500}, {600, 500}}),
                         [](const ::testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

TEST(Placement, AWindowLargerThanTheScreenKeepsItsCaptionOnIt)
{
    const POINT placed = ClampWindowPosition(POINT{300, 300}, 1000, 900, RECT{0, 0, 800, 600});
    EXPECT_EQ(placed.x, 0);
    EXPECT_EQ(placed.y, 0);
}

}  // namespace
