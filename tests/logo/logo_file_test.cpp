// The logo file format: the logo test, the animation marker and the encoder.

#include "common/BmpBuilder.h"
#include "common/TestFiles.h"
#include "logo/BmpReader.h"
#include "logo/LogoFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using logo::ColorTable;
using logo::LogoImage;
using testing_support::MakeBmp;
using testing_support::ReadAll;
using testing_support::TableOf;
using testing_support::TempDir;

namespace {

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8)
        | (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// The encoded bytes on disk, as the file layer's writer puts them there.
bool WriteLogo(const std::string& path, const LogoImage& image, const ColorTable& table, bool animated,
               std::uint8_t count)
{
    testing_support::WriteAll(path, logo::EncodeLogoFile(image, table, animated, count));
    return std::filesystem::file_size(path) == logo::kLogoFileSize;
}

std::vector<logo::RgbQuad> GreyTable(std::size_t entries)
{
    std::vector<logo::RgbQuad> table(entries);
    for (std::size_t i = 0; i < entries; ++i)
        table[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), 0};
    return table;
}

}  // namespace

TEST(LogoFileWrite, LaysOutTheFixedHeaderTableAndBottomUpRows)
{
    TempDir dir;
    const LogoImage image = testing_support::MakeVariedLogo(7);
    const std::string path = dir.File("out.bmp");
    ASSERT_TRUE(WriteLogo(path, image, TableOf(image), false, 0));

    const auto bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 129078u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(U32At(bytes, 2), 129078u);
    EXPECT_EQ(U32At(bytes, 6), 0u);
    EXPECT_EQ(U32At(bytes, 10), 1078u);
    EXPECT_EQ(U32At(bytes, 14), 40u);
    EXPECT_EQ(U32At(bytes, 18), 320u);
    EXPECT_EQ(U32At(bytes, 22), 400u);
    EXPECT_EQ(bytes[26] | (bytes[27] << 8), 1);
    EXPECT_EQ(bytes[28] | (bytes[29] << 8), 8);
    EXPECT_EQ(U32At(bytes, 30), 0u);
    EXPECT_EQ(U32At(bytes, 34), 128000u);
    EXPECT_EQ(U32At(bytes, 46), 256u);
    EXPECT_EQ(U32At(bytes, 50), 0u);
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(bytes[54 + i * 4], image.colorTable[i].blue);
        EXPECT_EQ(bytes[54 + i * 4 + 1], image.colorTable[i].green);
        EXPECT_EQ(bytes[54 + i * 4 + 2], image.colorTable[i].red);
    }
    // First row in the file is the picture's bottom row.
    for (std::size_t x = 0; x < 320; ++x)
        ASSERT_EQ(bytes[1078 + x], image.pixels[399 * 320 + x]);
    for (std::size_t x = 0; x < 320; ++x)
        ASSERT_EQ(bytes[129078 - 320 + x], image.pixels[x]);
}

TEST(LogoFileWrite, WritesTheWorkingTableNotThePicturesOwn)
{
    TempDir dir;
    const LogoImage image = testing_support::MakeVariedLogo(3);
    ColorTable working = TableOf(image);
    working[17] = {1, 2, 3, 9};
    ASSERT_TRUE(WriteLogo(dir.File("t.bmp"), image, working, false, 0));
    const auto bytes = ReadAll(dir.File("t.bmp"));
    EXPECT_EQ(bytes[54 + 17 * 4], 1);
    EXPECT_EQ(bytes[54 + 17 * 4 + 1], 2);
    EXPECT_EQ(bytes[54 + 17 * 4 + 2], 3);
    EXPECT_EQ(bytes[54 + 17 * 4 + 3], 9);
}

TEST(LogoFileWrite, ReadsBackAsTheSamePicture)
{
    TempDir dir;
    const LogoImage image = testing_support::MakeVariedLogo(11);
    ASSERT_TRUE(WriteLogo(dir.File("r.sys"), image, TableOf(image), true, 21));
    const logo::LoadResult loaded = logo::LoadBmpFile(dir.File("r.sys"));
    ASSERT_TRUE(loaded) << loaded.error.reason;
    EXPECT_EQ(loaded.picture->pixels, image.pixels);
    EXPECT_EQ(loaded.picture->colorTable, image.colorTable);
    EXPECT_TRUE(logo::HasExactLogoLayout(dir.File("r.sys")));
}

TEST(LogoFileWrite, AnimatedMarkerRoundTripsForEveryCount)
{
    TempDir dir;
    const LogoImage image = logo::MakeBlankLogo();
    const std::string path = dir.File("a.bmp");
    for (int n = 1; n <= 255; ++n) {
        ASSERT_TRUE(WriteLogo(path, image, TableOf(image), true, static_cast<std::uint8_t>(n)));
        const auto bytes = ReadAll(path);
        ASSERT_EQ(bytes[50], 256 - n);
        ASSERT_EQ(bytes[51] | bytes[52] | bytes[53], 0);
        std::uint8_t count = 0;
        ASSERT_TRUE(logo::ReadAnimationCount(path, count));
        ASSERT_EQ(count, n);
    }
}

TEST(LogoFileWrite, StaticLogoReadsAsCountZero)
{
    TempDir dir;
    const LogoImage image = logo::MakeBlankLogo();
    ASSERT_TRUE(WriteLogo(dir.File("s.bmp"), image, TableOf(image), false, 21));
    std::uint8_t count = 99;
    EXPECT_FALSE(logo::ReadAnimationCount(dir.File("s.bmp"), count));
    EXPECT_EQ(count, 0);
}

struct MarkerCase {
    const char* name;
    std::uint32_t clrImportant;
    bool animated;
    int count;
};

class AnimationMarker : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(AnimationMarker, CountComesFromTheLowByteOfClrImportant)
{
    TempDir dir;
    const auto& param = GetParam();
    const auto file = MakeBmp(320, 400, 8, GreyTable(256), std::vector<std::uint8_t>(128000, 0), false,
                              param.clrImportant);
    testing_support::WriteAll(dir.File("m.bmp"), file);
    std::uint8_t count = 77;
    EXPECT_EQ(logo::ReadAnimationCount(dir.File("m.bmp"), count), param.animated);
    EXPECT_EQ(count, param.count);
}

INSTANTIATE_TEST_SUITE_P(Foreign, AnimationMarker,
                         ::testing::Values(MarkerCase{"Zero", 0, false, 0},
                                           MarkerCase{"TwoFiftySixIsStatic", 256, false, 0},
                                           MarkerCase{"TwoThirtySixGivesTwenty", 236, true, 20},
                                           MarkerCase{"TwoFiftyFiveGivesOne", 255, true, 1},
                                           MarkerCase{"OneGivesTwoFiftyFive", 1, true, 255},
                                           MarkerCase{"HighBytesIgnored", 0x0101E0, true, 32}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AnimationMarkerFailure, ShortOrMissingFilesReadAsStatic)
{
    TempDir dir;
    std::uint8_t count = 5;
    EXPECT_FALSE(logo::ReadAnimationCount(dir.File("none.bmp"), count));
    EXPECT_EQ(count, 0);

    testing_support::WriteAll(dir.File("short.bmp"), std::vector<std::uint8_t>(50, 0xFF));
    count = 5;
    EXPECT_FALSE(logo::ReadAnimationCount(dir.File("short.bmp"), count));
    EXPECT_EQ(count, 0);

    std::vector<std::uint8_t> justEnough(51, 0);
    justEnough[50] = 236;
    testing_support::WriteAll(dir.File("51.bmp"), justEnough);
    EXPECT_TRUE(logo::ReadAnimationCount(dir.File("51.bmp"), count));
    EXPECT_EQ(count, 20);

    EXPECT_FALSE(logo::ReadAnimationCount(dir.Path().string(), count));
    EXPECT_EQ(count, 0);
}

struct ShapeCase {
    const char* name;
    std::int32_t width;
    std::int32_t height;
    std::uint16_t bits;
    bool topDown;
    bool isLogo;
};

class LogoTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(LogoTest, AcceptsExactly320By400At8Bits)
{
    TempDir dir;
    const auto& param = GetParam();
    const std::size_t pixelCount = static_cast<std::size_t>(param.width) * static_cast<std::size_t>(param.height);
    std::vector<logo::RgbQuad> table;
    std::vector<std::uint8_t> pixels;
    if (param.bits <= 8) {
        table = GreyTable(std::size_t{1} << param.bits);
        pixels.assign(pixelCount, 1);
    } else {
        pixels.assign(pixelCount * 3, 0x40);
    }
    // The extension never matters, only the content.
    for (const char* name : {"p.bmp", "p.sys"}) {
        testing_support::WriteAll(dir.File(name), MakeBmp(param.width, param.height, param.bits, table, pixels,
                                                          param.topDown));
        EXPECT_EQ(logo::IsLogoFile(dir.File(name)), param.isLogo) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, LogoTest,
                         ::testing::Values(ShapeCase{"Logo", 320, 400, 8, false, true},
                                           ShapeCase{"TopDownLogo", 320, 400, 8, true, true},
                                           ShapeCase{"FourBits", 320, 400, 4, false, false},
                                           ShapeCase{"TwentyFourBits", 320, 400, 24, false, false},
                                           ShapeCase{"Landscape320x240", 320, 240, 8, false, false},
                                           ShapeCase{"Rotated400x320", 400, 320, 8, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The headers let a 320 x 400 run-length file through; whether it is a logo
// is then up to its stream.
TEST(LogoTestDecodes, ARunLengthLogoIsALogoOnlyWhenItsPixelsDecode)
{
    struct StreamCase {
        const char* name;
        std::vector<std::uint8_t> stream;
        bool isLogo;
    };
    const StreamCase cases[] = {{"Complete", {2, 1, 0, 0, 0, 1}, true},
                                {"EndsBeforeItsEndMarker", {2, 1, 0, 0}, false},
                                {"RunPastTheRowEnd", {200, 1, 200, 1, 0, 1}, false},
                                {"DeltaOutsideThePicture", {0, 2, 255, 0, 0, 2, 255, 0, 0, 1}, false}};
    TempDir dir;
    const std::string path = dir.File("LOGO.SYS");
    for (const StreamCase& c : cases) {
        testing_support::WriteAll(path, testing_support::MakeRle8Bmp(320, 400, c.stream));
        ASSERT_TRUE(logo::ReadBmpFileHeader(path)) << c.name;
        EXPECT_EQ(logo::IsLogoFile(path), c.isLogo) << c.name;
    }
}

TEST(LogoTestFailure, RefusesMissingAndGarbageFiles)
{
    TempDir dir;
    EXPECT_FALSE(logo::IsLogoFile(dir.File("none.bmp")));
    testing_support::WriteAll(dir.File("junk.bmp"), std::vector<std::uint8_t>(129078, 0x5A));
    EXPECT_FALSE(logo::IsLogoFile(dir.File("junk.bmp")));
}

TEST(ExactLayout, OnlyTheWritersOwnLayoutQualifies)
{
    TempDir dir;
    const auto pixels = std::vector<std::uint8_t>(128000, 3);
    testing_support::WriteAll(dir.File("plain.bmp"), MakeBmp(320, 400, 8, GreyTable(256), pixels));
    EXPECT_TRUE(logo::HasExactLogoLayout(dir.File("plain.bmp")));

    testing_support::WriteAll(dir.File("topdown.bmp"), MakeBmp(320, 400, 8, GreyTable(256), pixels, true));
    EXPECT_FALSE(logo::HasExactLogoLayout(dir.File("topdown.bmp")));

    testing_support::WriteAll(dir.File("short-table.bmp"), MakeBmp(320, 400, 8, GreyTable(16), pixels));
    EXPECT_FALSE(logo::HasExactLogoLayout(dir.File("short-table.bmp")));
    EXPECT_TRUE(logo::IsLogoFile(dir.File("short-table.bmp")));
}
