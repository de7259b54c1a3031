// Palette editing operations: table copy, current colour, find / place,
// swap, removal of unused colours, the animated bar and the reversal.

#include "logo/PaletteOperations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace logo {
namespace {

// Records what an operation asks of the editor. ReadFields can hand over
// field values, as the editor's fields would.
class SpyView : public PaletteView {
public:
    std::vector<std::string> calls;
    std::optional<std::uint8_t> fieldRed, fieldGreen, fieldBlue, fieldCount;

    bool ReadFields(PaletteState& state) override
    {
        calls.push_back("ReadFields");
        if (fieldRed) state.m_red = *fieldRed;
        if (fieldGreen) state.m_green = *fieldGreen;
        if (fieldBlue) state.m_blue = *fieldBlue;
        if (fieldCount) state.m_animCount = *fieldCount;
        return true;
    }
    void ShowFields(const PaletteState&) override { calls.push_back("ShowFields"); }
    void RedrawEditor() override { calls.push_back("RedrawEditor"); }
    void RedrawPreview() override { calls.push_back("RedrawPreview"); }
    void BeginWaitCursor() override { calls.push_back("BeginWaitCursor"); }
    void EndWaitCursor() override { calls.push_back("EndWaitCursor"); }
};

RgbQuad Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t reserved = 0)
{
    return RgbQuad{blue, green, red, reserved};
}

bool SameRgb(const RgbQuad& x, const RgbQuad& y)
{
    return x.red == y.red && x.green == y.green && x.blue == y.blue;
}

constexpr RgbQuad kGrey{192, 192, 192, 0};

// A table of 256 distinct colours.
ColorTable DistinctTable()
{
    ColorTable table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = Rgb(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7);
    return table;
}

// Random pictures with a fixed seed. `palette` colours are drawn from a
// small pool so duplicates occur; pixels use `usedEntries` indices.
struct PictureRecipe {
    std::uint32_t seed;
    int colourPool;     // distinct colours the table draws from
    int usedEntries;    // how many indices the pixels use
    bool useEntry0;
};

LogoImage RandomLogo(const PictureRecipe& recipe)
{
    std::mt19937 random(recipe.seed);
    LogoImage image = MakeBlankLogo();
    std::vector<RgbQuad> pool;
    for (int i = 0; i < recipe.colourPool; ++i)
        pool.push_back(Rgb(static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                           static_cast<std::uint8_t>(random())));
    for (RgbQuad& entry : image.colorTable)
        entry = pool[random() % pool.size()];

    std::vector<std::uint8_t> indices(256);
    for (int i = 0; i < 256; ++i)
        indices[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    std::shuffle(indices.begin() + 1, indices.end(), random);
    const auto first = recipe.useEntry0 ? indices.begin() : indices.begin() + 1;
    std::vector<std::uint8_t> used(first, first + recipe.usedEntries);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = i < used.size() ? used[i] : used[random() % used.size()];
    std::shuffle(image.pixels.begin(), image.pixels.end(), random);
    return image;
}

PaletteState StateFor(LogoImage& image)
{
    PaletteState state;
    state.m_picture = &image;
    EXPECT_TRUE(LoadColorTable(state));
    return state;
}

// The colour every pixel shows.
std::vector<RgbQuad> Appearance(const LogoImage& image)
{
    std::vector<RgbQuad> colours(image.pixels.size());
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        RgbQuad c = image.colorTable[image.pixels[i]];
        c.reserved = 0;
        colours[i] = c;
    }
    return colours;
}

// The merge written out entry by entry, with its marks in the reserved
// bytes, for tables whose reserved bytes start at 0. The free count is the
// number of entries free when the merge ends.
struct ReferenceResult {
    ColorTable table;
    std::vector<std::uint8_t> pixels;
    int freed;
};

ReferenceResult ReferenceRemoveUnused(const LogoImage& image)
{
    ReferenceResult result{};
    std::copy_n(image.colorTable.begin(), 256, result.table.begin());
    result.pixels = image.pixels;
    ColorTable& t = result.table;
    bool used[256] = {};
    int remap[256];
    std::fill(std::begin(remap), std::end(remap), 255);
    for (std::uint8_t v : result.pixels)
        used[v] = true;
    for (int i = 0; i < 256; ++i)
        if (!used[i]) {
            t[i].red = t[0].red;
            t[i].green = t[0].green;
            t[i].blue = t[0].blue;
        }
    for (int idx = 0; idx < 256; ++idx) {
        if (t[idx].reserved == 2) {
            int j = idx + 1;
            while (j < 256 && t[j].reserved == 2)
                ++j;
            if (j == 256)
                break;
            t[idx] = t[j];
        }
        for (int k = idx + 1; k < 256; ++k)
            if (t[k].reserved == 0 && SameRgb(t[k], t[idx])) {
                t[k] = RgbQuad{192, 192, 192, 2};
                remap[k] = idx;
            }
    }
    result.freed = 0;
    for (RgbQuad& entry : t) {
        result.freed += entry.reserved == 2 ? 1 : 0;
        entry.reserved = 0;
    }
    for (std::uint8_t& v : result.pixels)
        if (remap[v] != 255)
            v = static_cast<std::uint8_t>(remap[v]);
    return result;
}

// ---------------------------------------------------------------- table copy

TEST(PaletteTableCopy, LoadAndStoreCopyAll256Entries)
{
    LogoImage image = MakeBlankLogo();
    const ColorTable distinct = DistinctTable();
    std::copy(distinct.begin(), distinct.end(), image.colorTable.begin());
    image.colorTable[9].reserved = 77;
    PaletteState state;
    state.m_picture = &image;
    ASSERT_TRUE(LoadColorTable(state));
    EXPECT_TRUE(std::equal(state.m_colorTable.begin(), state.m_colorTable.end(), image.colorTable.begin()));

    state.m_colorTable[200] = Rgb(1, 2, 3, 4);
    ASSERT_TRUE(StoreColorTable(state));
    EXPECT_EQ(image.colorTable[200], Rgb(1, 2, 3, 4));
    EXPECT_EQ(image.colorTable[9].reserved, 77);
}

TEST(PaletteTableCopy, WorksOnAStretched8BitPreview)
{
    LogoImage preview;
    preview.width = 480;
    preview.height = 390;
    preview.bitsPerPixel = 8;
    preview.colorTable.assign(256, Rgb(5, 6, 7));
    preview.pixels.assign(480u * 390u, 3);
    PaletteState state;
    state.m_picture = &preview;
    ASSERT_TRUE(LoadColorTable(state));
    EXPECT_EQ(state.m_colorTable[255], Rgb(5, 6, 7));
    state.m_colorTable[255] = Rgb(9, 9, 9);
    EXPECT_TRUE(StoreColorTable(state));
    EXPECT_EQ(preview.colorTable[255], Rgb(9, 9, 9));
}

TEST(PaletteTableCopy, RefusesPicturesWithoutAFullTable)
{
    PaletteState state;
    state.m_colorTable[0] = Rgb(1, 1, 1);
    EXPECT_FALSE(LoadColorTable(state)) << "no picture";
    EXPECT_FALSE(StoreColorTable(state)) << "no picture";

    LogoImage fourBit = MakeBlankLogo();
    fourBit.bitsPerPixel = 4;
    fourBit.colorTable.assign(16, Rgb(8, 8, 8));
    LogoImage shortTable = MakeBlankLogo();
    shortTable.colorTable.resize(100, Rgb(8, 8, 8));
    LogoImage direct = MakeBlankLogo();
    direct.bitsPerPixel = 24;
    direct.colorTable.clear();
    direct.pixels.assign(kLogoPixelBytes * 4, 0);
    for (LogoImage* image : {&fourBit, &shortTable, &direct}) {
        const std::vector<RgbQuad> before = image->colorTable;
        state.m_picture = image;
        EXPECT_FALSE(LoadColorTable(state));
        EXPECT_FALSE(StoreColorTable(state));
        EXPECT_EQ(image->colorTable, before);
        EXPECT_EQ(state.m_colorTable[0], Rgb(1, 1, 1));
    }
}

// ------------------------------------------------------------- current colour

TEST(PaletteCurrentColor, SetsChannelsFromTheValueAndShowsThem)
{
    PaletteState state;
    SpyView view;
    SetCurrentColor(state, MakeColorValue(10, 20, 30), view);
    EXPECT_EQ(state.m_red, 10);
    EXPECT_EQ(state.m_green, 20);
    EXPECT_EQ(state.m_blue, 30);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"ReadFields", "ShowFields", "RedrawEditor"}));
    EXPECT_EQ(MakeColorValue(0x12, 0x34, 0x56), 0x563412u);
}

TEST(PaletteCurrentColor, SameColourAsTheFieldsStopsAfterReadingThem)
{
    PaletteState state;
    SpyView view;
    view.fieldRed = 1;
    view.fieldGreen = 2;
    view.fieldBlue = 3;
    SetCurrentColor(state, 1 + 256 * 2 + 65536 * 3, view);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"ReadFields"}));
    EXPECT_EQ(state.m_red, 1);
}

// --------------------------------------------------------------- find / place

TEST(PaletteFindColor, HighlightsTheFirstMatchIgnoringReserved)
{
    PaletteState state;
    state.m_colorTable = DistinctTable();
    state.m_colorTable[12] = Rgb(200, 100, 50, 9);
    state.m_colorTable[40] = Rgb(200, 100, 50, 0);
    EXPECT_TRUE(FindColor(state, 200, 100, 50));
    EXPECT_EQ(state.m_highlight, 12);
}

TEST(PaletteFindColor, NotFoundLeavesTheHighlight)
{
    PaletteState state;
    state.m_colorTable = DistinctTable();
    state.m_highlight = 77;
    EXPECT_FALSE(FindColor(state, 1, 2, 3));
    EXPECT_EQ(state.m_highlight, 77);
    state.m_highlight = -1;
    EXPECT_FALSE(FindColor(state, 1, 2, 3));
    EXPECT_EQ(state.m_highlight, -1);
}

TEST(PaletteFindColor, FindsEntry255)
{
    PaletteState state;
    state.m_colorTable = DistinctTable();
    EXPECT_TRUE(FindColor(state, 255, 0, 7));
    EXPECT_EQ(state.m_highlight, 255);
}

TEST(PalettePlaceColor, WritesTheFieldColourKeepsReservedAndStores)
{
    LogoImage image = MakeBlankLogo();
    image.colorTable[17].reserved = 5;
    PaletteState state = StateFor(image);
    SpyView view;
    view.fieldRed = 11;
    view.fieldGreen = 22;
    view.fieldBlue = 33;
    PlaceColor(state, 17, view);
    EXPECT_EQ(state.m_colorTable[17], Rgb(11, 22, 33, 5));
    EXPECT_EQ(image.colorTable[17], Rgb(11, 22, 33, 5)) << "the picture's table is updated";
    EXPECT_FALSE(state.m_modified) << "the place tool sets it, not the operation";
    EXPECT_EQ(view.calls, (std::vector<std::string>{"ReadFields", "RedrawEditor", "RedrawPreview"}));
}

// ----------------------------------------------------------------------- swap

TEST(PaletteSwap, ExchangesEntriesAndPixelValues)
{
    LogoImage image = RandomLogo({1, 256, 256, true});
    std::fill(image.pixels.begin(), image.pixels.begin() + 3, 9);
    image.pixels[3] = 200;
    image.pixels[4] = 10;
    image.colorTable[9].reserved = 3;
    PaletteState state = StateFor(image);
    const ColorTable before = state.m_colorTable;
    const std::vector<std::uint8_t> pixels = image.pixels;
    const std::vector<RgbQuad> look = Appearance(image);
    SpyView view;

    ASSERT_TRUE(SwapEntries(state, 9, 200, view));
    EXPECT_EQ(state.m_colorTable[9], before[200]);
    EXPECT_EQ(state.m_colorTable[200], before[9]) << "all four bytes move";
    EXPECT_EQ(image.pixels[0], 200);
    EXPECT_EQ(image.pixels[3], 9);
    EXPECT_EQ(image.pixels[4], 10);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint8_t expected = pixels[i] == 9 ? 200 : pixels[i] == 200 ? 9 : pixels[i];
        ASSERT_EQ(image.pixels[i], expected) << "pixel " << i;
    }
    EXPECT_EQ(Appearance(image), look);
    EXPECT_TRUE(state.m_modified);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"BeginWaitCursor", "RedrawEditor", "EndWaitCursor"}));
}

TEST(PaletteSwap, SameIndexChangesNothing)
{
    LogoImage image = RandomLogo({2, 256, 256, true});
    PaletteState state = StateFor(image);
    const LogoImage copy = image;
    SpyView view;
    EXPECT_TRUE(SwapEntries(state, 42, 42, view));
    EXPECT_FALSE(state.m_modified);
    EXPECT_EQ(image.pixels, copy.pixels);
    EXPECT_TRUE(view.calls.empty());
}

// ------------------------------------------------------------ remove unused

TEST(PaletteRemoveUnused, AllPixelsIndex0FreesTheOther255)
{
    LogoImage image = MakeBlankLogo();
    std::copy_n(DistinctTable().begin(), 256, image.colorTable.begin());
    PaletteState state = StateFor(image);
    ASSERT_TRUE(RemoveUnusedColors(state));
    EXPECT_EQ(state.m_colorTable[0], Rgb(0, 255, 7));
    for (int i = 1; i < 256; ++i)
        ASSERT_EQ(state.m_colorTable[static_cast<std::size_t>(i)], kGrey) << i;
    EXPECT_EQ(state.m_freedCount, 255);
    EXPECT_TRUE(state.m_modified);
    EXPECT_TRUE(std::equal(state.m_colorTable.begin(), state.m_colorTable.end(), image.colorTable.begin()));
}

TEST(PaletteRemoveUnused, OnlyIndex0And7MovesColour7To1)
{
    LogoImage image = MakeBlankLogo();
    std::copy_n(DistinctTable().begin(), 256, image.colorTable.begin());
    for (std::size_t i = 0; i < image.pixels.size(); i += 3)
        image.pixels[i] = 7;
    const std::vector<std::uint8_t> before = image.pixels;
    PaletteState state = StateFor(image);
    ASSERT_TRUE(RemoveUnusedColors(state));
    EXPECT_EQ(state.m_colorTable[1], Rgb(7, 248, 7));
    for (int i = 2; i < 256; ++i)
        ASSERT_EQ(state.m_colorTable[static_cast<std::size_t>(i)], kGrey) << i;
    EXPECT_EQ(state.m_freedCount, 254) << "each freed entry counts once, however the colour moved";
    for (std::size_t i = 0; i < before.size(); ++i)
        ASSERT_EQ(image.pixels[i], before[i] == 7 ? 1 : 0) << i;
}

TEST(PaletteRemoveUnused, UnusedEntry1IsFreedButUnusedEntry0Stays)
{
    LogoImage image = MakeBlankLogo();
    std::copy_n(DistinctTable().begin(), 256, image.colorTable.begin());
    // Entry 0 used, 1 unused, 2 used.
    std::fill(image.pixels.begin(), image.pixels.begin() + 100, 2);
    PaletteState state = StateFor(image);
    ASSERT_TRUE(RemoveUnusedColors(state));
    EXPECT_EQ(state.m_colorTable[1], Rgb(2, 253, 7));
    EXPECT_EQ(image.pixels[0], 1);
    EXPECT_EQ(state.m_freedCount, 254);

    // Entry 0 unused: it keeps its place and colour, 5 moves to 1.
    LogoImage noZero = MakeBlankLogo();
    std::copy_n(DistinctTable().begin(), 256, noZero.colorTable.begin());
    std::fill(noZero.pixels.begin(), noZero.pixels.end(), 5);
    PaletteState second = StateFor(noZero);
    ASSERT_TRUE(RemoveUnusedColors(second));
    EXPECT_EQ(second.m_colorTable[0], Rgb(0, 255, 7));
    EXPECT_EQ(second.m_colorTable[1], Rgb(5, 250, 7));
    EXPECT_EQ(second.m_freedCount, 254);
    EXPECT_TRUE(std::all_of(noZero.pixels.begin(), noZero.pixels.end(), [](std::uint8_t v) { return v == 1; }));
}

TEST(PaletteRemoveUnused, DuplicateColourKeepsTheLowerIndex)
{
    LogoImage image = MakeBlankLogo();
    std::copy_n(DistinctTable().begin(), 256, image.colorTable.begin());
    image.colorTable[30] = image.colorTable[20];
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<std::uint8_t>(i % 256);
    PaletteState state = StateFor(image);
    const std::vector<RgbQuad> look = Appearance(image);
    ASSERT_TRUE(RemoveUnusedColors(state));
    EXPECT_EQ(state.m_freedCount, 1);
    EXPECT_EQ(image.pixels[30], 20);
    EXPECT_EQ(image.pixels[31], 30) << "31 moves down into the gap";
    EXPECT_EQ(state.m_colorTable[30], Rgb(31, 224, 7));
    EXPECT_EQ(state.m_colorTable[255], kGrey);
    EXPECT_EQ(Appearance(image), look);
}

TEST(PaletteRemoveUnused, AllDistinctAndUsedMovesNothing)
{
    LogoImage image = MakeBlankLogo();
    std::copy_n(DistinctTable().begin(), 256, image.colorTable.begin());
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<std::uint8_t>((i * 7) % 256);
    const LogoImage before = image;
    PaletteState state = StateFor(image);
    SpyView view;
    ASSERT_TRUE(RemoveUnusedColors(state, view));
    EXPECT_EQ(state.m_freedCount, 0);
    EXPECT_TRUE(state.m_modified);
    EXPECT_EQ(image.pixels, before.pixels);
    EXPECT_EQ(image.colorTable, before.colorTable);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"BeginWaitCursor", "RedrawEditor", "EndWaitCursor"}));
}

TEST(PaletteRemoveUnused, ForeignReservedBytesDoNotDisturbTheMerge)
{
    // Reserved bytes 2 and 0 are the values the merge's marks once used;
    // here they must not make entries look free or keep duplicates.
    for (std::uint32_t seed = 10; seed < 14; ++seed) {
        LogoImage image = RandomLogo({seed, 40, 120, seed % 2 == 0});
        const ReferenceResult expected = ReferenceRemoveUnused(image);
        std::mt19937 random(seed);
        for (RgbQuad& entry : image.colorTable)
            entry.reserved = static_cast<std::uint8_t>(std::array<int, 4>{0, 1, 2, 255}[random() % 4]);
        const std::vector<RgbQuad> look = Appearance(image);
        PaletteState state = StateFor(image);
        ASSERT_TRUE(RemoveUnusedColors(state));
        EXPECT_EQ(state.m_colorTable, expected.table) << "seed " << seed;
        EXPECT_EQ(image.pixels, expected.pixels) << "seed " << seed;
        EXPECT_EQ(state.m_freedCount, expected.freed) << "seed " << seed;
        EXPECT_EQ(Appearance(image), look) << "seed " << seed;
        for (const RgbQuad& entry : state.m_colorTable)
            ASSERT_EQ(entry.reserved, 0);
    }
}

class PaletteRemoveUnusedRandom : public ::testing::TestWithParam<PictureRecipe> {};

TEST_P(PaletteRemoveUnusedRandom, MatchesTheEntryByEntryMergeAndKeepsTheLook)
{
    LogoImage image = RandomLogo(GetParam());
    const ReferenceResult expected = ReferenceRemoveUnused(image);
    const std::vector<RgbQuad> look = Appearance(image);
    PaletteState state = StateFor(image);
    ASSERT_TRUE(RemoveUnusedColors(state));

    EXPECT_EQ(state.m_colorTable, expected.table);
    EXPECT_EQ(image.pixels, expected.pixels);
    EXPECT_EQ(state.m_freedCount, expected.freed);
    EXPECT_EQ(Appearance(image), look);
    // The free entries are the grey tail and no pixel refers to them.
    const int firstFree = 256 - state.m_freedCount;
    for (int i = firstFree; i < 256; ++i)
        ASSERT_EQ(state.m_colorTable[static_cast<std::size_t>(i)], kGrey);
    EXPECT_TRUE(std::all_of(image.pixels.begin(), image.pixels.end(), [&](std::uint8_t v) { return v < firstFree; }));
    // Every surviving colour is there once.
    for (int i = 1; i < firstFree; ++i)
        for (int j = 0; j < i; ++j)
            ASSERT_FALSE(SameRgb(state.m_colorTable[static_cast<std::size_t>(i)], state.m_colorTable[static_cast<std::size_t>(j)]));
    // A second run finds nothing more to free.
    const std::vector<std::uint8_t> compacted = image.pixels;
    ASSERT_TRUE(RemoveUnusedColors(state));
    EXPECT_EQ(state.m_freedCount, 256 - firstFree);
    EXPECT_EQ(image.pixels, compacted);
}

INSTANTIATE_TEST_SUITE_P(Palette, PaletteRemoveUnusedRandom,
                         ::testing::Values(PictureRecipe{101, 256, 256, true},  // mostly distinct, all used
                                           PictureRecipe{102, 8, 256, true},    // heavy duplicates
                                           PictureRecipe{103, 200, 30, true},   // few used
                                           PictureRecipe{104, 200, 30, false},  // entry 0 unused
                                           PictureRecipe{105, 60, 180, false},
                                           PictureRecipe{106, 1, 256, true},    // one colour everywhere
                                           PictureRecipe{107, 255, 1, false}),  // a single used entry
                         [](const auto& info) { return "Seed" + std::to_string(info.param.seed); });

// --------------------------------------------------------------- animated bar

// A picture using entries 0 .. used - 1, all distinct, so compaction frees
// exactly 256 - used entries.
LogoImage PictureUsing(int used)
{
    LogoImage image = MakeBlankLogo();
    std::copy_n(DistinctTable().begin(), 256, image.colorTable.begin());
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<std::uint8_t>(i % static_cast<std::size_t>(used));
    return image;
}

TEST(PaletteAnimatedBar, ExactlyTwentyOneFreeSucceeds)
{
    LogoImage image = PictureUsing(235);
    const std::vector<std::uint8_t> before = image.pixels;
    PaletteState state = StateFor(image);
    SpyView view;
    view.fieldRed = 10;
    view.fieldGreen = 20;
    view.fieldBlue = 30;
    ASSERT_EQ(MakeAnimatedBar(state, view), BarOutcome::Done);
    EXPECT_EQ(state.m_animCount, 21);
    EXPECT_EQ(state.m_highlight, 235);
    EXPECT_TRUE(state.m_modified);
    EXPECT_EQ(state.m_colorTable[245], Rgb(10, 20, 30));
    EXPECT_EQ(state.m_colorTable[234], Rgb(234, 21, 7)) << "used colours stay";
    EXPECT_TRUE(std::equal(state.m_colorTable.begin(), state.m_colorTable.end(), image.colorTable.begin()));

    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 320; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * 320 + static_cast<std::size_t>(x);
            const int expected = y >= 393 ? 254 - x / 16 : before[at];
            ASSERT_EQ(image.pixels[at], expected) << "x " << x << " y " << y;
        }
    EXPECT_EQ(image.pixels[393 * 320], 254);
    EXPECT_EQ(image.pixels[399 * 320 + 319], 235);

    const std::vector<std::string> expectedCalls{
        "ReadFields",  "BeginWaitCursor", "RedrawEditor", "EndWaitCursor",  // the compaction
        "BeginWaitCursor", "ShowFields", "EndWaitCursor", "RedrawEditor", "RedrawPreview"};
    EXPECT_EQ(view.calls, expectedCalls);
}

TEST(PaletteAnimatedBar, TwentyFreeRefusesButKeepsTheCompaction)
{
    LogoImage image = PictureUsing(237);
    image.colorTable[100] = image.colorTable[50];  // a duplicate the compaction merges
    PaletteState state = StateFor(image);
    state.m_animCount = 5;
    state.m_highlight = 251;
    SpyView view;
    ASSERT_EQ(MakeAnimatedBar(state, view), BarOutcome::NotEnoughSpace);
    EXPECT_EQ(state.m_freedCount, 20);
    EXPECT_TRUE(state.m_modified);
    EXPECT_EQ(state.m_animCount, 5);
    EXPECT_EQ(state.m_highlight, 251);
    EXPECT_EQ(state.m_colorTable[100], Rgb(101, 154, 7)) << "the compaction stays";
    EXPECT_EQ(image.pixels[100], 50);
    EXPECT_EQ(image.pixels[101], 100);
    EXPECT_EQ(state.m_colorTable[235], Rgb(236, 19, 7)) << "no bar written";
    EXPECT_EQ(state.m_colorTable[236], kGrey);
    EXPECT_TRUE(std::none_of(image.pixels.begin() + 393 * 320, image.pixels.end(),
                             [](std::uint8_t v) { return v >= 236; }));
    EXPECT_EQ(view.calls.back(), "EndWaitCursor");
    EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "ShowFields"), 0);
}

TEST(PaletteAnimatedBar, RampIsSymmetricAndClamped)
{
    LogoImage image = MakeBlankLogo();
    PaletteState state = StateFor(image);
    state.m_red = 250;
    state.m_green = 0;
    state.m_blue = 10;
    ASSERT_EQ(MakeAnimatedBar(state), BarOutcome::Done);
    EXPECT_EQ(state.m_colorTable[245], Rgb(250, 0, 10));
    EXPECT_EQ(state.m_colorTable[246], Rgb(255, 20, 30));
    EXPECT_EQ(state.m_colorTable[244], Rgb(255, 20, 30));
    EXPECT_EQ(state.m_colorTable[255], Rgb(255, 200, 210));
    EXPECT_EQ(state.m_colorTable[235], Rgb(255, 200, 210));
    for (int k = 1; k <= 10; ++k) {
        const RgbQuad up = state.m_colorTable[static_cast<std::size_t>(245 + k)];
        EXPECT_EQ(up, state.m_colorTable[static_cast<std::size_t>(245 - k)]) << k;
        EXPECT_EQ(up.green, std::min(255, 20 * k));
        EXPECT_EQ(up.blue, std::min(255, 10 + 20 * k));
    }
    EXPECT_EQ(state.m_colorTable[234], kGrey);
}

// ------------------------------------------------------------------- reverse

TEST(PaletteReverse, TwoEntriesSwapOnce)
{
    LogoImage image = RandomLogo({21, 256, 256, true});
    PaletteState state = StateFor(image);
    state.m_animCount = 2;
    const ColorTable before = state.m_colorTable;
    const std::vector<std::uint8_t> pixels = image.pixels;
    ASSERT_TRUE(ReverseSequence(state));
    EXPECT_EQ(state.m_colorTable[254], before[255]);
    EXPECT_EQ(state.m_colorTable[255], before[254]);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 254, state.m_colorTable.begin()));
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint8_t expected = pixels[i] == 254 ? 255 : pixels[i] == 255 ? 254 : pixels[i];
        ASSERT_EQ(image.pixels[i], expected);
    }
    EXPECT_TRUE(state.m_modified);
}

TEST(PaletteReverse, TwoHundredFiftyFiveLeavesTheMiddle)
{
    LogoImage image = RandomLogo({22, 256, 256, true});
    PaletteState state = StateFor(image);
    const ColorTable before = state.m_colorTable;
    const std::vector<RgbQuad> look = Appearance(image);
    SpyView view;
    view.fieldCount = 255;
    ASSERT_TRUE(ReverseSequence(state, view));
    EXPECT_EQ(view.calls.front(), "ReadFields");
    EXPECT_EQ(state.m_colorTable[0], before[0]);
    EXPECT_EQ(state.m_colorTable[128], before[128]);
    for (int i = 1; i < 256; ++i)
        ASSERT_EQ(state.m_colorTable[static_cast<std::size_t>(i)], before[static_cast<std::size_t>(256 - i)]) << i;
    EXPECT_EQ(Appearance(image), look);
}

TEST(PaletteReverse, CountBelowTwoDoesNothing)
{
    for (std::uint8_t count : {0, 1}) {
        LogoImage image = RandomLogo({23, 256, 256, true});
        const LogoImage copy = image;
        PaletteState state = StateFor(image);
        state.m_animCount = count;
        EXPECT_TRUE(ReverseSequence(state));
        EXPECT_FALSE(state.m_modified);
        EXPECT_EQ(image.pixels, copy.pixels);
        EXPECT_EQ(image.colorTable, copy.colorTable);
    }
}

// One pass with a permutation must equal N / 2 single swaps.
void ExpectReverseEqualsSwaps(const LogoImage& original, int count)
{
    LogoImage viaReverse = original;
    PaletteState reversed = StateFor(viaReverse);
    reversed.m_animCount = static_cast<std::uint8_t>(count);
    ASSERT_TRUE(ReverseSequence(reversed));

    LogoImage viaSwaps = original;
    PaletteState swapped = StateFor(viaSwaps);
    for (int i = 0; i < count / 2; ++i)
        ASSERT_TRUE(SwapEntries(swapped, static_cast<std::uint8_t>(256 - count + i), static_cast<std::uint8_t>(255 - i)));

    ASSERT_EQ(viaReverse.pixels, viaSwaps.pixels) << "N " << count;
    ASSERT_EQ(viaReverse.colorTable, viaSwaps.colorTable) << "N " << count;
    ASSERT_EQ(reversed.m_colorTable, swapped.m_colorTable) << "N " << count;
    ASSERT_EQ(reversed.m_modified, swapped.m_modified) << "N " << count;
}

TEST(PaletteReverse, EqualsSuccessiveSwapsForEveryCount)
{
    const LogoImage image = RandomLogo({31, 256, 256, true});
    for (int count = 0; count < 256; ++count)
        ExpectReverseEqualsSwaps(image, count);
}

TEST(PaletteReverse, EqualsSuccessiveSwapsOnVariedPictures)
{
    const PictureRecipe recipes[] = {{32, 10, 40, false}, {33, 256, 5, true}, {34, 100, 200, false}};
    for (const PictureRecipe& recipe : recipes) {
        LogoImage image = RandomLogo(recipe);
        image.colorTable[250].reserved = 2;
        for (int count : {2, 3, 21, 128, 254, 255})
            ExpectReverseEqualsSwaps(image, count);
    }
}

// -------------------------------------------------------- refusal of non-logos

TEST(PaletteNotALogo, PixelOperationsRefuseAndChangeNothing)
{
    LogoImage wide = MakeBlankLogo();
    wide.width = 400;
    wide.height = 320;
    LogoImage stretched;
    stretched.width = 480;
    stretched.height = 390;
    stretched.bitsPerPixel = 8;
    stretched.colorTable.assign(256, Rgb(1, 1, 1));
    stretched.pixels.assign(480u * 390u, 7);
    LogoImage fourBit = MakeBlankLogo();
    fourBit.bitsPerPixel = 4;
    fourBit.colorTable.resize(16);
    LogoImage truncated = MakeBlankLogo();
    truncated.pixels.resize(1000);

    for (LogoImage* image : {static_cast<LogoImage*>(nullptr), &wide, &stretched, &fourBit, &truncated}) {
        const LogoImage copy = image ? *image : LogoImage{};
        PaletteState state;
        state.m_picture = image;
        state.m_colorTable = DistinctTable();
        state.m_animCount = 21;
        const PaletteState before = state;
        SpyView view;
        EXPECT_FALSE(SwapEntries(state, 1, 2, view));
        EXPECT_FALSE(RemoveUnusedColors(state, view));
        EXPECT_EQ(MakeAnimatedBar(state, view), BarOutcome::NotALogo);
        EXPECT_FALSE(ReverseSequence(state, view));
        EXPECT_TRUE(view.calls.empty());
        EXPECT_EQ(state.m_colorTable, before.m_colorTable);
        EXPECT_FALSE(state.m_modified);
        EXPECT_EQ(state.m_animCount, 21);
        if (image) {
            EXPECT_EQ(image->pixels, copy.pixels);
            EXPECT_EQ(image->colorTable, copy.colorTable);
        }
    }
}

// ------------------------------------------------------------ small helpers

struct ClampCase {
    const char* name;
    int red, green, blue, amount;
    int wantRed, wantGreen, wantBlue;
};

class PaletteAddClamped : public ::testing::TestWithParam<ClampCase> {};

TEST_P(PaletteAddClamped, AddsAndClamps)
{
    const ClampCase& c = GetParam();
    auto r = static_cast<std::uint8_t>(c.red), g = static_cast<std::uint8_t>(c.green), b = static_cast<std::uint8_t>(c.blue);
    AddClamped(r, g, b, c.amount);
    EXPECT_EQ(r, c.wantRed);
    EXPECT_EQ(g, c.wantGreen);
    EXPECT_EQ(b, c.wantBlue);
}

INSTANTIATE_TEST_SUITE_P(Palette, PaletteAddClamped,
                         ::testing::Values(ClampCase{"Zero", 10, 20, 30, 0, 10, 20, 30},
                                           ClampCase{"Up", 10, 20, 30, 20, 30, 40, 50},
                                           ClampCase{"UpClamps", 250, 0, 240, 20, 255, 20, 255},
                                           ClampCase{"DownClamps", 5, 100, 0, -20, 0, 80, 0},
                                           ClampCase{"Huge", 1, 2, 3, 1 << 30, 255, 255, 255},
                                           ClampCase{"HugeDown", 1, 2, 3, -(1 << 30), 0, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct EntryCase {
    const char* name;
    int x, y, entry;
};

class PaletteEntryAt : public ::testing::TestWithParam<EntryCase> {};

TEST_P(PaletteEntryAt, MapsGridPoints)
{
    EXPECT_EQ(EntryAt(GetParam().x, GetParam().y), GetParam().entry);
}

INSTANTIATE_TEST_SUITE_P(Palette, PaletteEntryAt,
                         ::testing::Values(EntryCase{"FirstSwatch", 3, 3, 0},
                                           EntryCase{"FirstSwatchEdge", 12, 12, 0},
                                           EntryCase{"Second", 13, 3, 1},
                                           EntryCase{"SecondRow", 3, 13, 32},
                                           EntryCase{"Last", 313, 73, 255},
                                           EntryCase{"LeftMarginTruncatesToZero", 0, 0, 0},
                                           EntryCase{"NinthRowWraps", 3, 83, 0},
                                           EntryCase{"NegativeColumn", -13, 3, 255},
                                           EntryCase{"Extreme", 2147483647, 2147483647, static_cast<int>(static_cast<std::uint8_t>((214748364LL * 32 + 214748364LL) & 0xFF))},
                                           EntryCase{"ExtremeNegative", -2147483647 - 1, 3, static_cast<int>(static_cast<std::uint8_t>(-214748365LL))}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace logo
