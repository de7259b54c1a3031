#include "logo/PaletteOperations.h"

#include "logo/PixelTranslation.h"
#include "logo/SwatchGeometry.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace logo {

namespace {

constexpr RgbQuad kFreeEntry{192, 192, 192, 0};  // light grey
constexpr int kBarEntries = 21;
constexpr int kBarCentre = 245;
constexpr int kBarFirst = 256 - kBarEntries;       // 235
constexpr int kBarStep = 20;
constexpr int kBarRows = 7;                         // rows 393 .. 399
constexpr int kBarBandWidth = 16;

bool HasLogo(const PaletteState& state)
{
    return state.m_picture != nullptr && IsLogoImage(*state.m_picture);
}

bool SameColor(const RgbQuad& x, const RgbQuad& y)
{
    return x.red == y.red && x.green == y.green && x.blue == y.blue;
}

std::uint32_t ColorKey(const RgbQuad& entry)
{
    return static_cast<std::uint32_t>(entry.red) | (static_cast<std::uint32_t>(entry.green) << 8)
        | (static_cast<std::uint32_t>(entry.blue) << 16);
}

// Compare-and-select passes over the pixels get an AVX2 copy next to the
// baseline one where the toolchain can pick between them at load time.
#if (defined(__x86_64__) || defined(__i386__)) && defined(__ELF__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define LUMIVANE_PIXEL_PASS __attribute__((target_clones("avx2", "default")))
#endif
#endif
#ifndef LUMIVANE_PIXEL_PASS
#define LUMIVANE_PIXEL_PASS
#endif

// Exchanges the pixel values a and b. The loop bound is the constant logo
// size and the body a branch-free select, so the compiler vectorises it
// without a scalar tail.
LUMIVANE_PIXEL_PASS void SwapPixelValues(std::uint8_t* pixels, std::uint8_t a, std::uint8_t b)
{
    const auto flip = static_cast<std::uint8_t>(a ^ b);
    for (std::size_t i = 0; i < kLogoPixelBytes; ++i) {
        const std::uint8_t v = pixels[i];
        pixels[i] = static_cast<std::uint8_t>(v ^ (((v == a) | (v == b)) ? flip : 0));
    }
}

// Mirrors the values first .. 255 (v becomes first + 255 - v, computed
// modulo 256); lower values stay. That is the permutation of all the pair
// swaps of a reversal, as one vectorisable select.
LUMIVANE_PIXEL_PASS void ReflectPixelValues(std::uint8_t* pixels, std::uint8_t first)
{
    const auto sum = static_cast<std::uint8_t>(first + 255);
    for (std::size_t i = 0; i < kLogoPixelBytes; ++i) {
        const std::uint8_t v = pixels[i];
        pixels[i] = v >= first ? static_cast<std::uint8_t>(sum - v) : v;
    }
}

// Merges equal colours and packs the survivors to the front in their former
// order; the rest of the table turns grey. Entry 0 always stays. Returns how
// many entries survive and fills `to` with every old index's new place.
// Equal colours are found through a hash of red, green and blue, so the
// reserved bytes (anything, in a foreign table) play no part; all of them
// end as 0.
int CompactTable(ColorTable& table, Translation& to)
{
    // Open addressing on the 24-bit colour; at most 256 keys in 512 slots.
    constexpr std::size_t kSlots = 512;
    std::array<std::uint32_t, kSlots> keys{};
    std::array<std::int16_t, kSlots> places;
    places.fill(-1);

    const ColorTable old = table;
    int survivors = 0;
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t key = ColorKey(old[static_cast<std::size_t>(i)]);
        std::size_t slot = (key * 2654435761u) >> 23;  // top 9 bits
        while (places[slot] >= 0 && keys[slot] != key)
            slot = (slot + 1) & (kSlots - 1);
        if (places[slot] < 0) {
            keys[slot] = key;
            places[slot] = static_cast<std::int16_t>(survivors);
            table[static_cast<std::size_t>(survivors)] = old[static_cast<std::size_t>(i)];
            ++survivors;
        }
        to[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(places[slot]);
    }
    for (int i = survivors; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = kFreeEntry;
    for (RgbQuad& entry : table)
        entry.reserved = 0;
    return survivors;
}

}  // namespace

bool LoadColorTable(PaletteState& state)
{
    if (state.m_picture == nullptr || !HasFullColorTable(*state.m_picture))
        return false;
    std::copy_n(state.m_picture->colorTable.begin(), 256, state.m_colorTable.begin());
    return true;
}

bool StoreColorTable(PaletteState& state)
{
    if (state.m_picture == nullptr || !HasFullColorTable(*state.m_picture))
        return false;
    std::copy_n(state.m_colorTable.begin(), 256, state.m_picture->colorTable.begin());
    return true;
}

void SetCurrentColor(PaletteState& state, ColorValue value, PaletteView& view)
{
    view.ReadFields(state);
    if (value == MakeColorValue(state.m_red, state.m_green, state.m_blue))
        return;
    state.m_red = static_cast<std::uint8_t>(value & 0xFF);
    state.m_green = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    state.m_blue = static_cast<std::uint8_t>((value >> 16) & 0xFF);
    view.ShowFields(state);
    view.RedrawEditor();
}

bool FindColor(PaletteState& state, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const RgbQuad wanted{blue, green, red, 0};
    for (int i = 0; i < 256; ++i) {
        if (SameColor(state.m_colorTable[static_cast<std::size_t>(i)], wanted)) {
            state.m_highlight = i;
            return true;
        }
    }
    return false;
}

void PlaceColor(PaletteState& state, std::uint8_t index, PaletteView& view)
{
    view.ReadFields(state);
    RgbQuad& entry = state.m_colorTable[index];
    entry.red = state.m_red;
    entry.green = state.m_green;
    entry.blue = state.m_blue;
    view.RedrawEditor();
    StoreColorTable(state);
    view.RedrawPreview();
}

bool SwapEntries(PaletteState& state, std::uint8_t a, std::uint8_t b, PaletteView& view)
{
    if (!HasLogo(state))
        return false;
    if (a == b)
        return true;
    view.BeginWaitCursor();
    SwapPixelValues(state.m_picture->pixels.data(), a, b);
    std::swap(state.m_colorTable[a], state.m_colorTable[b]);
    state.m_modified = true;
    StoreColorTable(state);
    view.RedrawEditor();
    view.EndWaitCursor();
    return true;
}

bool RemoveUnusedColors(PaletteState& state, PaletteView& view)
{
    if (!HasLogo(state))
        return false;
    view.BeginWaitCursor();
    std::uint8_t* const pixels = state.m_picture->pixels.data();
    const std::array<bool, 256> used = UsedValues(pixels, kLogoPixelBytes);

    // Unused entries become copies of entry 0, so the merge frees them.
    ColorTable& table = state.m_colorTable;
    for (std::size_t i = 1; i < 256; ++i) {
        if (!used[i]) {
            table[i].red = table[0].red;
            table[i].green = table[0].green;
            table[i].blue = table[0].blue;
        }
    }

    Translation to{};
    const int survivors = CompactTable(table, to);
    // Counts entries free at the end, not free-markings: a colour that moves
    // down frees only one entry, whatever way it took.
    state.m_freedCount = static_cast<std::uint8_t>(256 - survivors);

    bool moves = false;
    for (std::size_t v = 0; v < 256; ++v)
        moves = moves || (used[v] && to[v] != v);
    if (moves)
        TranslatePixels(pixels, kLogoPixelBytes, to);

    state.m_modified = true;
    StoreColorTable(state);
    view.RedrawEditor();
    view.EndWaitCursor();
    return true;
}

void AddClamped(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue, int amount)
{
    if (amount == 0)
        return;
    const auto clamp = [amount](std::uint8_t& channel) {
        const long long sum = static_cast<long long>(channel) + amount;
        channel = static_cast<std::uint8_t>(std::clamp(sum, 0LL, 255LL));
    };
    clamp(red);
    clamp(green);
    clamp(blue);
}

BarOutcome MakeAnimatedBar(PaletteState& state, PaletteView& view)
{
    if (!HasLogo(state))
        return BarOutcome::NotALogo;
    view.ReadFields(state);
    const std::uint8_t red = state.m_red;
    const std::uint8_t green = state.m_green;
    const std::uint8_t blue = state.m_blue;

    RemoveUnusedColors(state, view);
    // The compaction packs every used colour to the front, so 21 free
    // entries at the end mean 235 .. 255 are free.
    if (state.m_freedCount < kBarEntries)
        return BarOutcome::NotEnoughSpace;

    ColorTable& table = state.m_colorTable;
    table[kBarCentre].red = red;
    table[kBarCentre].green = green;
    table[kBarCentre].blue = blue;
    std::uint8_t r = red, g = green, b = blue;
    for (int k = 1; k <= (kBarEntries - 1) / 2; ++k) {
        AddClamped(r, g, b, kBarStep);
        for (const int at : {kBarCentre + k, kBarCentre - k}) {
            RgbQuad& entry = table[static_cast<std::size_t>(at)];
            entry.red = r;
            entry.green = g;
            entry.blue = b;
        }
    }

    view.BeginWaitCursor();
    std::array<std::uint8_t, kLogoWidth> row{};
    for (int x = 0; x < kLogoWidth; ++x)
        row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(254 - x / kBarBandWidth);
    std::uint8_t* const pixels = state.m_picture->pixels.data();
    for (int y = kLogoHeight - kBarRows; y < kLogoHeight; ++y)
        std::memcpy(pixels + static_cast<std::size_t>(y) * kLogoWidth, row.data(), row.size());

    state.m_animCount = kBarEntries;
    state.m_highlight = kBarFirst;
    view.ShowFields(state);
    view.EndWaitCursor();
    state.m_modified = true;
    StoreColorTable(state);
    view.RedrawEditor();
    view.RedrawPreview();
    return BarOutcome::Done;
}

bool ReverseSequence(PaletteState& state, PaletteView& view)
{
    if (!HasLogo(state))
        return false;
    view.ReadFields(state);
    const int count = state.m_animCount;
    if (count < 2)
        return true;

    // The pairs are disjoint, so all N / 2 swaps fold into one permutation
    // of the table and one pass over the pixels.
    const int first = 256 - count;
    ColorTable& table = state.m_colorTable;
    std::reverse(table.begin() + first, table.end());

    view.BeginWaitCursor();
    ReflectPixelValues(state.m_picture->pixels.data(), static_cast<std::uint8_t>(first));
    state.m_modified = true;
    StoreColorTable(state);
    view.RedrawEditor();
    view.EndWaitCursor();
    return true;
}

std::uint8_t EntryAt(int x, int y)
{
    // 64-bit so extreme coordinates cannot overflow; the cast keeps the
    // value modulo 256.
    const std::int64_t row = (static_cast<std::int64_t>(y) - kSwatchOrigin) / kSwatchPitch;
    const std::int64_t column = (static_cast<std::int64_t>(x) - kSwatchOrigin) / kSwatchPitch;
    return static_cast<std::uint8_t>(row * kSwatchesPerRow + column);
}

}  // namespace logo
