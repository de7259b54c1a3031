// The palette-cycling tick: rotation of the last N entries and the phase.

#include "logo/Animation.h"
#include "logo/PaletteOperations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace logo {
namespace {

// Entry i holds a colour unique to i, reserved byte included.
ColorTable NumberedTable()
{
    ColorTable table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = RgbQuad{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                                     static_cast<std::uint8_t>(i / 2), static_cast<std::uint8_t>(i ^ 0x5A)};
    return table;
}

PaletteState Cycling(int count)
{
    PaletteState state;
    state.m_colorTable = NumberedTable();
    state.m_animCount = static_cast<std::uint8_t>(count);
    return state;
}

TEST(AnimationStep, TwoEntriesExchangeEveryTick)
{
    PaletteState state = Cycling(2);
    const ColorTable start = state.m_colorTable;
    std::vector<int> phases;
    for (int tick = 0; tick < 4; ++tick) {
        AnimationStep(state);
        phases.push_back(state.m_phase);
        const bool odd = tick % 2 == 0;
        EXPECT_EQ(state.m_colorTable[254], odd ? start[255] : start[254]);
        EXPECT_EQ(state.m_colorTable[255], odd ? start[254] : start[255]);
        EXPECT_TRUE(std::equal(start.begin(), start.begin() + 254, state.m_colorTable.begin()));
    }
    EXPECT_EQ(phases, (std::vector<int>{1, 0, 1, 0}));
}

TEST(AnimationStep, ColoursMoveOneIndexDownAndTheFirstWrapsTo255)
{
    PaletteState state = Cycling(21);
    const ColorTable start = state.m_colorTable;
    AnimationStep(state);
    for (int k = 235; k < 255; ++k)
        ASSERT_EQ(state.m_colorTable[static_cast<std::size_t>(k)], start[static_cast<std::size_t>(k + 1)]) << k;
    EXPECT_EQ(state.m_colorTable[255], start[235]);
    EXPECT_TRUE(std::equal(start.begin(), start.begin() + 235, state.m_colorTable.begin()));
}

TEST(AnimationStep, FullRangeReturnsAfter255Ticks)
{
    PaletteState state = Cycling(255);
    const ColorTable start = state.m_colorTable;
    for (int tick = 1; tick <= 255; ++tick) {
        AnimationStep(state);
        ASSERT_EQ(state.m_colorTable[0], start[0]);
        ASSERT_EQ(state.m_phase, tick % 255);
        if (tick < 255) {
            ASSERT_NE(state.m_colorTable, start) << "tick " << tick;
            ASSERT_EQ(state.m_colorTable[255], start[static_cast<std::size_t>(tick)]) << "tick " << tick;
        }
    }
    EXPECT_EQ(state.m_colorTable, start);
    EXPECT_EQ(state.m_phase, 0);
}

TEST(AnimationStep, SingleEntryNeverChanges)
{
    PaletteState state = Cycling(1);
    const ColorTable start = state.m_colorTable;
    for (int tick = 0; tick < 3; ++tick) {
        AnimationStep(state);
        EXPECT_EQ(state.m_phase, 0);
        EXPECT_EQ(state.m_colorTable, start);
    }
}

TEST(AnimationStep, CountZeroChangesNothing)
{
    PaletteState state = Cycling(0);
    state.m_phase = 3;
    const ColorTable start = state.m_colorTable;
    AnimationStep(state);
    EXPECT_EQ(state.m_colorTable, start);
    EXPECT_EQ(state.m_phase, 3);
}

TEST(AnimationStep, StoppingAfterSevenTicksTakesFourteenMore)
{
    PaletteState state = Cycling(21);
    const ColorTable start = state.m_colorTable;
    for (int tick = 0; tick < 7; ++tick)
        AnimationStep(state);
    EXPECT_EQ(state.m_phase, 7);
    int extra = 0;
    while (state.m_phase != 0) {
        AnimationStep(state);
        ++extra;
        ASSERT_LE(extra, 21);
    }
    EXPECT_EQ(extra, 14);
    EXPECT_EQ(state.m_colorTable, start);
}

TEST(AnimationStep, StalePhaseWrapsToZero)
{
    // A phase left from a larger count must not keep a stop loop running.
    for (std::int32_t stale : {20, 2147483647, -5}) {
        PaletteState state = Cycling(4);
        state.m_phase = stale;
        AnimationStep(state);
        EXPECT_EQ(state.m_phase, 0) << stale;
    }
}

TEST(AnimationStep, TouchesOnlyTheWorkingTable)
{
    LogoImage image = MakeBlankLogo();
    PaletteState state = Cycling(21);
    state.m_picture = &image;
    const LogoImage copy = image;
    AnimationStep(state);
    EXPECT_EQ(image.colorTable, copy.colorTable);
    EXPECT_EQ(image.pixels, copy.pixels);
    EXPECT_FALSE(state.m_modified);
}

TEST(AnimationStep, AnimatedBarPatternTravelsLeftToRight)
{
    LogoImage image = MakeBlankLogo();
    PaletteState state;
    state.m_picture = &image;
    ASSERT_TRUE(LoadColorTable(state));
    state.m_red = 40;
    ASSERT_EQ(MakeAnimatedBar(state), BarOutcome::Done);

    // The colour of each 16-pixel band of the bar after a tick is the
    // colour its left neighbour had before.
    const auto bandColour = [&](int band) {
        return state.m_colorTable[image.pixels[399 * 320 + static_cast<std::size_t>(band) * 16]];
    };
    std::vector<RgbQuad> before;
    for (int band = 0; band < 20; ++band)
        before.push_back(bandColour(band));
    AnimationStep(state);
    for (int band = 1; band < 20; ++band)
        EXPECT_EQ(bandColour(band), before[static_cast<std::size_t>(band - 1)]) << band;
    EXPECT_EQ(state.m_phase, 1);
}

}  // namespace
}  // namespace logo
