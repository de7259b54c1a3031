#include "logo/PixelTranslation.h"

#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define LUMIVANE_HAVE_VBMI_PATH 1
#endif

namespace logo {

namespace {

}  // namespace

void TranslatePixelsPortable(std::uint8_t* pixels, std::size_t count, const Translation& to)
{
    const std::uint8_t* const map = to.data();
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t packed;
        std::memcpy(&packed, pixels + i, 8);
        std::uint64_t result = 0;
        for (int byte = 0; byte < 8; ++byte)
            result |= static_cast<std::uint64_t>(map[(packed >> (8 * byte)) & 0xFF]) << (8 * byte);
        std::memcpy(pixels + i, &result, 8);
    }
    for (; i < count; ++i)
        pixels[i] = map[pixels[i]];
}

namespace {

#ifdef LUMIVANE_HAVE_VBMI_PATH
// Byte permutes look up 64 pixels at a time in the 256-entry table: two
// 128-entry lookups, picked by each index's top bit.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void TranslateVbmi(std::uint8_t* pixels, std::size_t count,
                                                                        const Translation& to)
{
    const __m512i table0 = _mm512_loadu_si512(to.data());
    const __m512i table1 = _mm512_loadu_si512(to.data() + 64);
    const __m512i table2 = _mm512_loadu_si512(to.data() + 128);
    const __m512i table3 = _mm512_loadu_si512(to.data() + 192);
    std::size_t i = 0;
    for (; i + 64 <= count; i += 64) {
        const __m512i index = _mm512_loadu_si512(pixels + i);
        const __m512i low = _mm512_permutex2var_epi8(table0, index, table1);
        const __m512i high = _mm512_permutex2var_epi8(table2, index, table3);
        const __mmask64 upper = _mm512_movepi8_mask(index);
        _mm512_storeu_si512(pixels + i, _mm512_mask_blend_epi8(upper, low, high));
    }
    for (; i < count; ++i)
        pixels[i] = to[pixels[i]];
}

// Looks up 64 pixels at a time in the table of values seen so far; only a
// block holding a value not seen before takes the slow path, and that can
// happen at most 256 times, so the pass costs about one lookup per block.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) std::array<bool, 256> UsedValuesVbmi(
    const std::uint8_t* pixels, std::size_t count)
{
    alignas(64) std::array<std::uint8_t, 256> seen{};
    __m512i table0 = _mm512_setzero_si512();
    __m512i table1 = table0;
    __m512i table2 = table0;
    __m512i table3 = table0;
    std::size_t i = 0;
    for (; i + 64 <= count; i += 64) {
        const __m512i index = _mm512_loadu_si512(pixels + i);
        const __m512i low = _mm512_permutex2var_epi8(table0, index, table1);
        const __m512i high = _mm512_permutex2var_epi8(table2, index, table3);
        const __m512i known = _mm512_mask_blend_epi8(_mm512_movepi8_mask(index), low, high);
        __mmask64 unseen = _mm512_testn_epi8_mask(known, known);
        if (unseen == 0)
            continue;
        for (; unseen != 0; unseen &= unseen - 1)
            seen[pixels[i + static_cast<std::size_t>(__builtin_ctzll(unseen))]] = 0xFF;
        table0 = _mm512_load_si512(seen.data());
        table1 = _mm512_load_si512(seen.data() + 64);
        table2 = _mm512_load_si512(seen.data() + 128);
        table3 = _mm512_load_si512(seen.data() + 192);
    }
    for (; i < count; ++i)
        seen[pixels[i]] = 0xFF;
    std::array<bool, 256> used{};
    for (std::size_t v = 0; v < 256; ++v)
        used[v] = seen[v] != 0;
    return used;
}

bool HasVbmi()
{
    static const bool has = __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512bw");
    return has;
}
#endif

}  // namespace

void TranslatePixels(std::uint8_t* pixels, std::size_t count, const Translation& to)
{
#ifdef LUMIVANE_HAVE_VBMI_PATH
    if (HasVbmi()) {
        TranslateVbmi(pixels, count, to);
        return;
    }
#endif
    TranslatePixelsPortable(pixels, count, to);
}

std::array<bool, 256> UsedValues(const std::uint8_t* pixels, std::size_t count)
{
#ifdef LUMIVANE_HAVE_VBMI_PATH
    if (HasVbmi())
        return UsedValuesVbmi(pixels, count);
#endif
    return UsedValuesPortable(pixels, count);
}

std::array<bool, 256> UsedValuesPortable(const std::uint8_t* pixels, std::size_t count)
{
    // Four flag tables, so equal neighbours do not store to one byte back to
    // back; eight pixels per load.
    std::array<std::array<std::uint8_t, 256>, 4> seen{};
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t packed;
        std::memcpy(&packed, pixels + i, 8);
        seen[0][packed & 0xFF] = 1;
        seen[1][(packed >> 8) & 0xFF] = 1;
        seen[2][(packed >> 16) & 0xFF] = 1;
        seen[3][(packed >> 24) & 0xFF] = 1;
        seen[0][(packed >> 32) & 0xFF] = 1;
        seen[1][(packed >> 40) & 0xFF] = 1;
        seen[2][(packed >> 48) & 0xFF] = 1;
        seen[3][packed >> 56] = 1;
    }
    for (; i < count; ++i)
        seen[0][pixels[i]] = 1;
    std::array<bool, 256> used{};
    for (std::size_t v = 0; v < 256; ++v)
        used[v] = (seen[0][v] | seen[1][v] | seen[2][v] | seen[3][v]) != 0;
    return used;
}

}  // namespace logo
