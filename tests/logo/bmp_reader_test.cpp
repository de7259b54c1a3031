// The BMP reader on small files built in memory: each variant it decodes,
// and for every check it makes, a file that fails that check.

#include "common/BmpBuilder.h"
#include "common/TestFiles.h"
#include "logo/BmpReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace logo {
namespace {

using Bytes = std::vector<std::uint8_t>;

using testing_support::BmpParts;
using testing_support::BuildBmp;
using testing_support::PackRows;
using testing_support::Put16;
using testing_support::Put32;

std::vector<RgbQuad> Grays(std::size_t count)
{
    std::vector<RgbQuad> table;
    for (std::size_t i = 0; i < count; ++i) {
        const auto level = static_cast<std::uint8_t>(i * 16 + 1);
        table.push_back(RgbQuad{level, level, level, 0});
    }
    return table;
}

// A 1 x 1 direct-colour file with colour masks.
BmpParts Bitfields(std::uint16_t bits, std::vector<std::uint32_t> masks)
{
    BmpParts parts;
    parts.bits = bits;
    parts.compression = 3;
    parts.masks = std::move(masks);
    parts.pixelData = {0, 0, 0, 0};
    return parts;
}

// A valid 4 x 2, 8-bit file that the guard cases corrupt one field at a time.
BmpParts SmallIndexed()
{
    BmpParts parts;
    parts.width = 4;
    parts.height = 2;
    parts.clrUsed = 4;
    parts.table = Grays(4);
    parts.pixelData = PackRows(8, {{0, 1, 2, 3}, {3, 2, 1, 0}});
    return parts;
}

// An RLE8 file around the given stream, 4 x 2 unless told otherwise.
Bytes Rle8File(const Bytes& stream, std::int32_t width = 4, std::int32_t height = 2)
{
    BmpParts parts;
    parts.width = width;
    parts.height = height;
    parts.compression = 1;
    parts.clrUsed = 4;
    parts.table = Grays(4);
    parts.pixelData = stream;
    return BuildBmp(parts);
}

Bytes Rle4File(const Bytes& stream, std::int32_t width, std::int32_t height)
{
    BmpParts parts;
    parts.width = width;
    parts.height = height;
    parts.bits = 4;
    parts.compression = 2;
    parts.table = Grays(16);
    parts.pixelData = stream;
    return BuildBmp(parts);
}

// ---------------------------------------------------------------------------
// Every guard, tripped by a file that breaks exactly what it checks.

struct GuardCase {
    const char* name;
    std::function<Bytes()> make;
    LoadErrorKind kind;
    const char* reason;  // part of the reason the reader gives
};

Bytes Modified(BmpParts parts, const std::function<void(BmpParts&)>& change)
{
    change(parts);
    return BuildBmp(parts);
}

Bytes Patched(const std::function<void(Bytes&)>& patch)
{
    Bytes bytes = BuildBmp(SmallIndexed());
    patch(bytes);
    return bytes;
}

const GuardCase kGuardCases[] = {
    {"EmptyData", [] { return Bytes{}; }, LoadErrorKind::Malformed, "signature is not \"BM\""},
    {"WrongSignature", [] { return Patched([](Bytes& b) { b[1] = 'A'; }); }, LoadErrorKind::Malformed,
     "signature is not \"BM\""},
    {"FileHeaderCutShort", [] { return Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40}; },
     LoadErrorKind::Truncated, "BMP file header is cut short"},
    {"UnknownHeaderSize", [] { return Patched([](Bytes& b) { Put32(b, 14, 66); }); }, LoadErrorKind::Malformed,
     "header size 66 is not a BMP header size"},
    {"InfoHeaderCutShort", [] { return Patched([](Bytes& b) { b.resize(40); }); }, LoadErrorKind::Truncated,
     "BMP info header is cut short"},
    {"V5HeaderLongerThanFile", [] { return Patched([](Bytes& b) { Put32(b, 14, 124); b.resize(120); }); },
     LoadErrorKind::Truncated, "BMP info header is cut short"},
    {"TwoPlanes", [] { return Patched([](Bytes& b) { Put16(b, 26, 2); }); }, LoadErrorKind::Malformed,
     "plane count 2 is not 1"},
    {"BitCount13", [] { return Patched([](Bytes& b) { Put16(b, 28, 13); }); }, LoadErrorKind::Malformed,
     "bit count 13 is not a BMP bit count"},
    {"Rle8AtFourBits", [] { return Patched([](Bytes& b) { Put16(b, 28, 4); Put32(b, 30, 1); }); },
     LoadErrorKind::Malformed, "compression 1 is not valid at 4 bits per pixel"},
    {"Rle4AtEightBits", [] { return Patched([](Bytes& b) { Put32(b, 30, 2); }); }, LoadErrorKind::Malformed,
     "compression 2 is not valid at 8 bits per pixel"},
    {"BitfieldsAtEightBits", [] { return Patched([](Bytes& b) { Put32(b, 30, 3); }); }, LoadErrorKind::Malformed,
     "compression 3 is not valid at 8 bits per pixel"},
    {"UnknownCompression", [] { return Patched([](Bytes& b) { Put32(b, 30, 99); }); }, LoadErrorKind::Malformed,
     "compression 99 is not a BMP compression method"},
    {"EmbeddedJpeg", [] { return Patched([](Bytes& b) { Put16(b, 28, 0); Put32(b, 30, 4); }); },
     LoadErrorKind::Unsupported, "JPEG"},
    {"EmbeddedPng", [] { return Patched([](Bytes& b) { Put16(b, 28, 0); Put32(b, 30, 5); }); },
     LoadErrorKind::Unsupported, "PNG"},
    {"Os2HuffmanCompression",
     [] { return Modified(SmallIndexed(), [](BmpParts& s) { s.headerSize = 64; s.bits = 1; s.compression = 3; }); },
     LoadErrorKind::Unsupported, "Huffman"},
    {"ZeroWidth", [] { return Patched([](Bytes& b) { Put32(b, 18, 0); }); }, LoadErrorKind::Malformed,
     "width 0 is not positive"},
    {"NegativeWidth", [] { return Patched([](Bytes& b) { Put32(b, 18, static_cast<std::uint32_t>(-4)); }); },
     LoadErrorKind::Malformed, "width -4 is not positive"},
    {"ZeroHeight", [] { return Patched([](Bytes& b) { Put32(b, 22, 0); }); }, LoadErrorKind::Malformed,
     "height 0 is not a valid height"},
    {"MostNegativeHeight", [] { return Patched([](Bytes& b) { Put32(b, 22, 0x80000000u); }); },
     LoadErrorKind::Malformed, "height -2147483648 is not a valid height"},
    {"WidthBeyondLimit", [] { return Patched([](Bytes& b) { Put32(b, 18, 32769); }); }, LoadErrorKind::TooLarge,
     "32769 x 2 is beyond the limit of 32768 pixels a side"},
    {"TopDownHeightBeyondLimit",
     [] { return Patched([](Bytes& b) { Put32(b, 22, static_cast<std::uint32_t>(-40000)); }); }, LoadErrorKind::TooLarge, "4 x 40000 is beyond the limit"},
    {"PixelCountBeyondLimit",
     [] { return Patched([](Bytes& b) { Put32(b, 18, 32768); Put32(b, 22, 32768); }); }, LoadErrorKind::TooLarge,
     "32768 x 32768 is beyond the limit of 4194304 pixels"},
    {"RleWithTopDownRows",
     [] { return Modified(SmallIndexed(), [](BmpParts& s) { s.compression = 1; s.height = -2; }); },
     LoadErrorKind::Malformed, "RLE-compressed BMP cannot have top-down rows"},
    {"BitfieldMasksCutShort",
     [] {
         Bytes b = BuildBmp(Bitfields(16, {0xf800, 0x07e0, 0x001f}));
         b.resize(60);
         return b;
     },
     LoadErrorKind::Truncated, "BMP colour masks are cut short"},
    {"MaskWithGap",
     [] { return BuildBmp(Bitfields(32, {0xff00ff00u, 0xff, 0})); },
     LoadErrorKind::Malformed, "colour mask 0xff00ff00 is not one run of bits"},
    {"MaskWiderThanSixteenBitPixel",
     [] { return BuildBmp(Bitfields(16, {0x1f0000, 0x7e0, 0x1f})); },
     LoadErrorKind::Malformed, "colour mask 0x1f0000 does not fit in 16-bit pixels"},
    {"DataOffsetBeyondFile", [] { return Patched([](Bytes& b) { Put32(b, 10, 0x7fffffffu); }); },
     LoadErrorKind::Truncated, "BMP data offset is beyond the end of the file"},
    {"DataOffsetInsideHeaders", [] { return Patched([](Bytes& b) { Put32(b, 10, 20); }); },
     LoadErrorKind::Malformed, "BMP data offset 20 points into the headers"},
    {"DataOffsetOverBitfieldMasks",
     [] {
         Bytes b = BuildBmp(Bitfields(16, {0xf800, 0x07e0, 0x001f}));
         Put32(b, 10, 54);
         return b;
     },
     LoadErrorKind::Malformed, "BMP data offset 54 points into the headers"},
    {"PaletteSizeBeyondBitCount", [] { return Patched([](Bytes& b) { Put32(b, 46, 257); }); },
     LoadErrorKind::Malformed, "palette size 257 is more than 8-bit pixels can index"},
    {"ColourTablePastEndOfFile",
     [] { return Patched([](Bytes& b) { Put32(b, 46, 0); }); },  // 256 entries promised, 4 present
     LoadErrorKind::Truncated, "BMP colour table runs past the end of the file"},
    {"PixelRowsCutShort", [] { return Patched([](Bytes& b) { b.pop_back(); }); }, LoadErrorKind::Truncated,
     "BMP pixel data is cut short: 8 bytes needed, 7 present"},
    {"PixelRowsMissing", [] { return Patched([](Bytes& b) { b.erase(b.end() - 8, b.end()); }); },
     LoadErrorKind::Truncated, "BMP pixel data is cut short: 8 bytes needed, 0 present"},
    {"DirectRowsCutShort",
     [] {
         BmpParts parts;
         parts.width = 2;
         parts.height = 2;
         parts.bits = 24;
         parts.pixelData = Bytes(15, 0);
         return BuildBmp(parts);
     },
     LoadErrorKind::Truncated, "16 bytes needed, 15 present"},
    {"RleRunPastRowEnd", [] { return Rle8File({5, 1, 0, 1}); }, LoadErrorKind::Malformed,
     "RLE run goes past the end of row 0"},
    {"RleRunsAddingUpPastRowEnd", [] { return Rle8File({3, 1, 2, 1, 0, 1}); }, LoadErrorKind::Malformed,
     "RLE run goes past the end of row 0"},
    {"RleAbsoluteRunPastRowEnd", [] { return Rle8File({2, 1, 0, 3, 1, 2, 3, 0, 0, 1}); },
     LoadErrorKind::Malformed, "RLE run goes past the end of row 0"},
    {"RleDeltaPastRowEnd", [] { return Rle8File({0, 2, 5, 0, 0, 1}); }, LoadErrorKind::Malformed,
     "RLE delta moves outside the picture"},
    {"RleDeltaPastLastRow", [] { return Rle8File({0, 2, 0, 3, 0, 1}); }, LoadErrorKind::Malformed,
     "RLE delta moves outside the picture"},
    {"RleRunAfterLastRow", [] { return Rle8File({0, 0, 0, 0, 1, 1, 0, 1}); }, LoadErrorKind::Malformed,
     "RLE data goes past the last row"},
    {"RleEndOfLineAfterLastRow", [] { return Rle8File({0, 0, 0, 0, 0, 0, 0, 1}); }, LoadErrorKind::Malformed,
     "RLE data goes past the last row"},
    {"RleAbsoluteRunAfterLastRow", [] { return Rle8File({0, 2, 0, 2, 0, 3, 1, 2, 3, 0}); },
     LoadErrorKind::Malformed, "RLE data goes past the last row"},
    {"RleWithoutEndOfBitmap", [] { return Rle8File({4, 1, 0, 0, 4, 2}); }, LoadErrorKind::Truncated,
     "RLE data ends before the end-of-bitmap marker"},
    {"RleEndingInsideDelta", [] { return Rle8File({0, 2, 1}); }, LoadErrorKind::Truncated,
     "RLE data ends inside a delta"},
    {"RleEndingInsideAbsoluteRun", [] { return Rle8File({0, 3, 1, 2}); }, LoadErrorKind::Truncated,
     "RLE data ends inside an absolute run"},
    {"RleAbsoluteRunMissingPadding", [] { return Rle8File({0, 3, 1, 2, 3}); }, LoadErrorKind::Truncated,
     "RLE data ends inside an absolute run"},
    {"Rle4RunPastRowEnd", [] { return Rle4File({4, 0x12, 0, 1}, 3, 1); }, LoadErrorKind::Malformed,
     "RLE run goes past the end of row 0"},
    {"Rle4AbsoluteRunPastRowEnd", [] { return Rle4File({0, 4, 0x12, 0x34, 0, 1}, 3, 1); },
     LoadErrorKind::Malformed, "RLE run goes past the end of row 0"},
};

class BmpReaderGuard : public testing::TestWithParam<GuardCase> {};

TEST_P(BmpReaderGuard, RefusesWithReason)
{
    const Bytes bytes = GetParam().make();
    const LoadResult result = DecodeBmp(bytes);
    ASSERT_FALSE(result) << "decoded a file that should be refused";
    EXPECT_EQ(result.error.kind, GetParam().kind) << result.error.reason;
    EXPECT_NE(result.error.reason.find(GetParam().reason), std::string::npos)
        << "reason was: " << result.error.reason;
}

INSTANTIATE_TEST_SUITE_P(BmpReader, BmpReaderGuard, testing::ValuesIn(kGuardCases),
                         [](const testing::TestParamInfo<GuardCase>& info) { return std::string(info.param.name); });

// The header query refuses every file whose headers a decode refuses, with
// the same reason; only the RLE stream is left to a decode.
TEST_P(BmpReaderGuard, HeaderQueryRefusesTheSameHeaders)
{
    const std::string name = GetParam().name;
    const Bytes bytes = GetParam().make();
    const HeaderResult header = ReadBmpHeader(
        std::span<const std::uint8_t>(bytes.data(), std::min(bytes.size(), kHeaderBytes)), bytes.size());
    if (name == "PixelCountBeyondLimit") {
        // Checked before the data by a decode; the headers alone then fail
        // on the pixel rows they promise.
        EXPECT_EQ(header.error.kind, LoadErrorKind::Truncated) << header.error.reason;
        return;
    }
    if (std::string(GetParam().reason).rfind("RLE ", 0) == 0) {
        EXPECT_TRUE(header) << header.error.reason;
        return;
    }
    ASSERT_FALSE(header);
    EXPECT_EQ(header.error.kind, GetParam().kind);
    EXPECT_EQ(header.error.reason, DecodeBmp(bytes).error.reason);
}

// The guard base file itself must decode, or the cases prove nothing.
TEST(BmpReader, GuardBaseFileDecodes)
{
    const LoadResult result = DecodeBmp(BuildBmp(SmallIndexed()));
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_EQ(result.picture->pixels, (Bytes{3, 2, 1, 0, 0, 1, 2, 3}));
}

// ---------------------------------------------------------------------------
// Indexed pictures.

TEST(BmpReader, DecodesOneBitRowsBottomUp)
{
    BmpParts parts;
    parts.width = 10;
    parts.height = 2;
    parts.bits = 1;
    parts.table = {RgbQuad{0, 0, 0, 0}, RgbQuad{255, 255, 255, 0}};
    parts.pixelData = PackRows(1, {{1, 0, 1, 0, 1, 0, 1, 0, 1, 1}, {0, 0, 0, 0, 0, 0, 0, 0, 1, 0}});
    const LoadResult result = DecodeBmp(BuildBmp(parts));
    ASSERT_TRUE(result) << result.error.reason;
    const Picture& picture = *result.picture;
    EXPECT_EQ(picture.bitsPerPixel, 1);
    EXPECT_EQ(picture.colorTable.size(), 2u);
    EXPECT_EQ(picture.pixels, (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1}));
    EXPECT_EQ(picture.ColorAt(8, 0), (RgbQuad{255, 255, 255, 0}));
}

TEST(BmpReader, ShortTableIsPaddedWithBlackAndIndicesAreKept)
{
    BmpParts parts;
    parts.width = 3;
    parts.height = 1;
    parts.bits = 4;
    parts.clrUsed = 3;
    parts.table = {RgbQuad{1, 2, 3, 0}, RgbQuad{4, 5, 6, 0}, RgbQuad{7, 8, 9, 0}};
    parts.pixelData = PackRows(4, {{2, 15, 0}});
    const LoadResult result = DecodeBmp(BuildBmp(parts));
    ASSERT_TRUE(result) << result.error.reason;
    const Picture& picture = *result.picture;
    EXPECT_EQ(picture.bitsPerPixel, 4);
    ASSERT_EQ(picture.colorTable.size(), 16u);
    EXPECT_EQ(picture.colorTable[2], (RgbQuad{7, 8, 9, 0}));
    EXPECT_EQ(picture.colorTable[3], RgbQuad{});
    EXPECT_EQ(picture.pixels, (Bytes{2, 15, 0}));
    EXPECT_EQ(picture.ColorAt(1, 0), RgbQuad{});
}

TEST(BmpReader, ZeroColoursUsedMeansTheFullTable)
{
    BmpParts parts;
    parts.width = 1;
    parts.height = 1;
    parts.table = Grays(256);
    parts.pixelData = {255, 0, 0, 0};
    const LoadResult result = DecodeBmp(BuildBmp(parts));
    ASSERT_TRUE(result) << result.error.reason;
    ASSERT_EQ(result.picture->colorTable.size(), 256u);
    EXPECT_EQ(result.picture->ColorAt(0, 0), Grays(256)[255]);
}

TEST(BmpReader, TopDownAndBottomUpGiveTheSamePicture)
{
    BmpParts bottomUp = SmallIndexed();
    BmpParts topDown = SmallIndexed();
    topDown.height = -2;
    topDown.pixelData = PackRows(8, {{3, 2, 1, 0}, {0, 1, 2, 3}});
    const LoadResult a = DecodeBmp(BuildBmp(bottomUp));
    const LoadResult b = DecodeBmp(BuildBmp(topDown));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(b.picture->height, 2);
    EXPECT_EQ(a.picture->pixels, b.picture->pixels);
}

TEST(BmpReader, LogoSizedFileDecodesToTheExactRowsTopDown)
{
    BmpParts parts;
    parts.width = kLogoWidth;
    parts.height = kLogoHeight;
    parts.clrUsed = 256;
    parts.table = Grays(256);
    // Pixel (x, y) of the picture holds (x + 3 * y) mod 256; the file stores row 399 first.
    Bytes expected(kLogoPixelBytes);
    for (std::size_t y = 0; y < 400; ++y)
        for (std::size_t x = 0; x < 320; ++x)
            expected[y * 320 + x] = static_cast<std::uint8_t>(x + 3 * y);
    for (std::size_t fileRow = 0; fileRow < 400; ++fileRow) {
        const auto row = expected.begin() + static_cast<std::ptrdiff_t>((399 - fileRow) * 320);
        parts.pixelData.insert(parts.pixelData.end(), row, row + 320);
    }
    const Bytes file = BuildBmp(parts);
    ASSERT_EQ(file.size(), 129078u);
    const LoadResult result = DecodeBmp(file);
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_TRUE(IsLogoImage(*result.picture));
    EXPECT_EQ(result.picture->pixels, expected);
}

TEST(BmpReader, Os2CoreHeaderWithThreeByteEntries)
{
    BmpParts parts;
    parts.headerSize = 12;
    parts.width = 2;
    parts.height = 1;
    parts.bits = 8;
    parts.table = {RgbQuad{10, 20, 30, 0}, RgbQuad{40, 50, 60, 0}};  // the space up to the pixels holds 2 entries
    parts.pixelData = {1, 0, 0, 0};
    const LoadResult result = DecodeBmp(BuildBmp(parts));
    ASSERT_TRUE(result) << result.error.reason;
    const Picture& picture = *result.picture;
    ASSERT_EQ(picture.colorTable.size(), 256u);
    EXPECT_EQ(picture.ColorAt(0, 0), (RgbQuad{40, 50, 60, 0}));
    EXPECT_EQ(picture.ColorAt(1, 0), (RgbQuad{10, 20, 30, 0}));
    EXPECT_EQ(picture.colorTable[2], RgbQuad{});
}

TEST(BmpReader, V4AndV5HeadersReadLikeTheInfoHeader)
{
    const LoadResult plain = DecodeBmp(BuildBmp(SmallIndexed()));
    ASSERT_TRUE(plain);
    for (const std::uint32_t headerSize : {52u, 56u, 64u, 108u, 124u}) {
        BmpParts parts = SmallIndexed();
        parts.headerSize = headerSize;
        const LoadResult result = DecodeBmp(BuildBmp(parts));
        ASSERT_TRUE(result) << headerSize << ": " << result.error.reason;
        EXPECT_EQ(result.picture->pixels, plain.picture->pixels) << headerSize;
        EXPECT_EQ(result.picture->colorTable, plain.picture->colorTable) << headerSize;
    }
}

// ---------------------------------------------------------------------------
// Run-length encoded pictures.

TEST(BmpReader, Rle8RunsAbsoluteModeAndDelta)
{
    // 5 x 3; the end of bitmap comes without a final end of line.
    const Bytes stream = {3, 7, 0, 0,                  // 3 x 7, end of line
                          0, 2, 1, 0,                  // delta right 1, up 0 -> x 1 of row 1
                          0, 3, 3, 4, 5, 0,            // absolute 3 4 5 plus padding
                          0, 0,                        // end of line
                          5, 9, 0, 1};                 // row 2, end of bitmap
    const LoadResult result = DecodeBmp(Rle8File(stream, 5, 3));
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_EQ(result.picture->pixels, (Bytes{9, 9, 9, 9, 9,     // top: file row 2
                                             0, 3, 4, 5, 0,     // file row 1
                                             7, 7, 7, 0, 0}));  // bottom: file row 0
}

TEST(BmpReader, Rle8DeltaAcrossRowsLeavesSkippedPixelsAtIndexZero)
{
    const Bytes stream = {1, 2, 0, 2, 2, 1, 1, 3, 0, 1};  // one 2, delta (2, 1), one 3, end of bitmap
    const LoadResult result = DecodeBmp(Rle8File(stream, 4, 2));
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_EQ(result.picture->pixels, (Bytes{0, 0, 0, 3, 2, 0, 0, 0}));
}

TEST(BmpReader, Rle4RunsAbsoluteModeAndDelta)
{
    const Bytes stream = {5, 0x12,             // 1 2 1 2 1
                          0, 0,                // end of line
                          0, 2, 1, 0,          // delta right 1
                          0, 3, 0x34, 0x50,    // absolute 3 4 5 (two bytes, no padding needed)
                          1, 0xf0,             // one 15
                          0, 1};               // end of bitmap
    const LoadResult result = DecodeBmp(Rle4File(stream, 5, 2));
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_EQ(result.picture->bitsPerPixel, 4);
    EXPECT_EQ(result.picture->pixels, (Bytes{0, 3, 4, 5, 15, 1, 2, 1, 2, 1}));
}

TEST(BmpReader, Rle4AbsoluteRunWithPadding)
{
    const Bytes stream = {0, 5, 0x12, 0x34, 0x50, 0, 0, 1};  // 3 bytes of nibbles padded to 4
    const LoadResult result = DecodeBmp(Rle4File(stream, 5, 1));
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_EQ(result.picture->pixels, (Bytes{1, 2, 3, 4, 5}));
}

// ---------------------------------------------------------------------------
// Direct-colour pictures: four bytes per pixel, blue, green, red, 0.

TEST(BmpReader, TwentyFourBitRowsArePaddedAndReordered)
{
    BmpParts parts;
    parts.width = 1;
    parts.height = 2;
    parts.bits = 24;
    parts.pixelData = {1, 2, 3, 0, 4, 5, 6, 0};  // bottom row (1,2,3), top row (4,5,6), each padded
    const LoadResult result = DecodeBmp(BuildBmp(parts));
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_TRUE(result.picture->colorTable.empty());
    EXPECT_EQ(result.picture->pixels, (Bytes{4, 5, 6, 0, 1, 2, 3, 0}));
}

TEST(BmpReader, ThirtyTwoBitDropsTheFourthByte)
{
    BmpParts parts;
    parts.width = 2;
    parts.height = 1;
    parts.bits = 32;
    parts.pixelData = {1, 2, 3, 200, 4, 5, 6, 255};
    const LoadResult result = DecodeBmp(BuildBmp(parts));
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_EQ(result.picture->pixels, (Bytes{1, 2, 3, 0, 4, 5, 6, 0}));
}

TEST(BmpReader, ThirtyTwoBitMasksInAV5Header)
{
    BmpParts parts;
    parts.headerSize = 124;
    parts.width = 1;
    parts.height = 1;
    parts.bits = 32;
    parts.compression = 3;
    parts.masks = {0x000000ffu, 0x0000ff00u, 0xff000000u};  // red low, blue high
    parts.pixelData = {0x11, 0x22, 0x33, 0x44};
    const LoadResult result = DecodeBmp(BuildBmp(parts));
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_EQ(result.picture->pixels, (Bytes{0x44, 0x22, 0x11, 0}));
}

TEST(BmpReader, SixteenBitDefaultsToFiveFiveFive)
{
    BmpParts parts;
    parts.width = 2;
    parts.height = 1;
    parts.bits = 16;
    // 0x7fff is white; 0x4210 is 16 in each channel, which scales to 132.
    parts.pixelData = {0xff, 0x7f, 0x10, 0x42};
    const LoadResult result = DecodeBmp(BuildBmp(parts));
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_EQ(result.picture->pixels, (Bytes{255, 255, 255, 0, 132, 132, 132, 0}));
}

TEST(BmpReader, SixteenBitFiveSixFiveBitfields)
{
    BmpParts parts;
    parts.width = 3;
    parts.height = 1;
    parts.bits = 16;
    parts.compression = 3;
    parts.masks = {0xf800, 0x07e0, 0x001f};
    // Pure red, pure green at the 6-bit maximum, and green 32 of 63 with blue 1 of 31.
    parts.pixelData = {0x00, 0xf8, 0xe0, 0x07, 0x01, 0x04, 0, 0};
    const LoadResult result = DecodeBmp(BuildBmp(parts));
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_EQ(result.picture->pixels, (Bytes{0, 0, 255, 0, 0, 255, 0, 0, 8, 130, 0, 0}));
}

TEST(BmpReader, ZeroMaskGivesAnEmptyChannel)
{
    BmpParts parts;
    parts.bits = 16;
    parts.compression = 3;
    parts.masks = {0xff00, 0x00ff, 0};
    parts.pixelData = {0x80, 0xff, 0, 0};
    const LoadResult result = DecodeBmp(BuildBmp(parts));
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_EQ(result.picture->pixels, (Bytes{0, 0x80, 0xff, 0}));
}

TEST(BmpReader, ColourTableOfADirectColourFileIsSkipped)
{
    BmpParts parts;
    parts.bits = 24;
    parts.clrUsed = 2;
    parts.table = Grays(2);
    parts.pixelData = {7, 8, 9, 0};
    const LoadResult result = DecodeBmp(BuildBmp(parts));
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_TRUE(result.picture->colorTable.empty());
    EXPECT_EQ(result.picture->pixels, (Bytes{7, 8, 9, 0}));
}

// ---------------------------------------------------------------------------
// Reading from disk.

class BmpReaderFile : public testing::Test {
protected:
    void Write(const Bytes& bytes) { testing_support::WriteAll(path_.string(), bytes); }

    testing_support::TempDir dir_;
    std::filesystem::path path_ = dir_.Path() / "picture.bmp";
};

TEST_F(BmpReaderFile, LoadsAFileFromDisk)
{
    const Bytes bytes = BuildBmp(SmallIndexed());
    Write(bytes);
    const LoadResult result = LoadBmpFile(path_.string());
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_EQ(result.picture->pixels, DecodeBmp(bytes).picture->pixels);
}

TEST_F(BmpReaderFile, MissingFileIsAnIoError)
{
    const LoadResult result = LoadBmpFile(path_.string());
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error.kind, LoadErrorKind::Io);
    EXPECT_NE(result.error.reason.find(path_.string()), std::string::npos) << result.error.reason;
}

TEST_F(BmpReaderFile, DirectoryIsAnIoError)
{
    const LoadResult result = LoadBmpFile(dir_.Path().string());
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error.kind, LoadErrorKind::Io) << result.error.reason;
}

}  // namespace
}  // namespace logo
