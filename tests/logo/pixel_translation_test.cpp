// The pixel passes behind the palette operations: the fast paths and the
// portable ones must agree on every machine, tails included.

#include "logo/PixelTranslation.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

std::vector<std::uint8_t> RandomPixels(std::size_t count, unsigned seed, unsigned distinct)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> pixels(count);
    for (auto& pixel : pixels)
        pixel = static_cast<std::uint8_t>(random() % distinct);
    return pixels;
}

logo::Translation RandomTranslation(unsigned seed)
{
    std::mt19937 random(seed);
    logo::Translation to{};
    for (auto& entry : to)
        entry = static_cast<std::uint8_t>(random());
    return to;
}

}  // namespace

TEST(PixelTranslation, FastAndPortablePassesAgree)
{
    for (const std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{63}, std::size_t{64},
                                    std::size_t{65}, std::size_t{1000}, std::size_t{128000}}) {
        for (const unsigned distinct : {1u, 3u, 200u, 256u}) {
            const auto pixels = RandomPixels(count, static_cast<unsigned>(count) + distinct, distinct);
            const auto to = RandomTranslation(distinct);

            auto fast = pixels;
            auto portable = pixels;
            logo::TranslatePixels(fast.data(), fast.size(), to);
            logo::TranslatePixelsPortable(portable.data(), portable.size(), to);
            ASSERT_EQ(fast, portable) << count << " pixels, " << distinct << " values";
            for (std::size_t i = 0; i < pixels.size(); ++i)
                ASSERT_EQ(fast[i], to[pixels[i]]);

            std::array<bool, 256> expected{};
            for (const auto pixel : pixels)
                expected[pixel] = true;
            ASSERT_EQ(logo::UsedValues(pixels.data(), pixels.size()), expected);
            ASSERT_EQ(logo::UsedValuesPortable(pixels.data(), pixels.size()), expected);
        }
    }
}

TEST(PixelTranslation, ValuesFirstSeenLateAreFound)
{
    // Every block after the first brings one new value: the slow path of
    // the fast pass runs for each of them.
    std::vector<std::uint8_t> pixels(64 * 256, 0);
    for (std::size_t block = 0; block < 256; ++block)
        pixels[block * 64 + 63] = static_cast<std::uint8_t>(block);
    const auto used = logo::UsedValues(pixels.data(), pixels.size());
    for (bool value : used)
        EXPECT_TRUE(value);
}
