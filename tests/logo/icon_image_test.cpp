// Icon and cursor images through the DIB decoder: the directory, the colour
// bits with their AND mask, and for every check an image that fails it.

#include "common/BmpBuilder.h"
#include "logo/IconDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace logo {
namespace {

using Bytes = std::vector<std::uint8_t>;

using testing_support::Put16;
using testing_support::Put32;

std::size_t RowBytes(int width, int bits)
{
    return static_cast<std::size_t>((width * bits + 31) / 32) * 4;
}

// One image as an icon stores it: 40-byte header with the height doubled, a
// full colour table (entry i is grey i), zeroed colour rows, then mask rows
// whose bit is set for the pixel at (0, 0) only (the last stored row).
Bytes IconDib(int width, int height, int bits)
{
    const std::size_t table = bits <= 8 ? (std::size_t{1} << bits) : 0;
    const std::size_t colour = RowBytes(width, bits) * static_cast<std::size_t>(height);
    const std::size_t maskRow = RowBytes(width, 1);
    Bytes dib(40 + table * 4 + colour + maskRow * static_cast<std::size_t>(height), 0);
    Put32(dib, 0, 40);
    Put32(dib, 4, static_cast<std::uint32_t>(width));
    Put32(dib, 8, static_cast<std::uint32_t>(2 * height));
    Put16(dib, 12, 1);
    Put16(dib, 14, static_cast<std::uint32_t>(bits));
    for (std::size_t i = 0; i < table; ++i)
        dib[40 + i * 4] = dib[40 + i * 4 + 1] = dib[40 + i * 4 + 2] = static_cast<std::uint8_t>(i);
    dib[dib.size() - maskRow] = 0x80;
    return dib;
}

// A file of the given type around one image; the entry says width x height.
Bytes IconFile(const Bytes& dib, int width, int height, IconFileType type = IconFileType::Icon)
{
    Bytes file(22 + dib.size(), 0);
    Put16(file, 2, static_cast<std::uint32_t>(type));
    Put16(file, 4, 1);
    file[6] = static_cast<std::uint8_t>(width & 0xff);
    file[7] = static_cast<std::uint8_t>(height & 0xff);
    Put16(file, 10, 3);
    Put16(file, 12, 4);
    Put32(file, 14, static_cast<std::uint32_t>(dib.size()));
    Put32(file, 18, 22);
    std::copy(dib.begin(), dib.end(), file.begin() + 22);
    return file;
}

TEST(IconDirectory, ReadsEveryEntryWithZeroMeaning256)
{
    const Bytes file = IconFile(IconDib(256, 256, 1), 256, 256, IconFileType::Cursor);
    const std::vector<IconEntry> entries = ReadIconDirectory(file, IconFileType::Cursor);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].width, 256);
    EXPECT_EQ(entries[0].height, 256);
    EXPECT_EQ(entries[0].planesOrHotX, 3);
    EXPECT_EQ(entries[0].bitCountOrHotY, 4);
    EXPECT_EQ(entries[0].offset, 22u);
    EXPECT_TRUE(DecodeIconEntry(file, entries[0]));
}

TEST(IconDirectory, RefusesTheOtherTypeAndDirectoriesPastTheEnd)
{
    Bytes file = IconFile(IconDib(16, 16, 4), 16, 16);
    EXPECT_TRUE(ReadIconDirectory(file, IconFileType::Cursor).empty());
    Put16(file, 4, 200);
    EXPECT_TRUE(ReadIconDirectory(file, IconFileType::Icon).empty());
    EXPECT_TRUE(ReadIconDirectory(Bytes{0, 0, 1}, IconFileType::Icon).empty());
}

TEST(IconDirectory, EntryBytesMustLieInsideTheFile)
{
    Bytes file = IconFile(IconDib(16, 16, 4), 16, 16);
    IconEntry entry = ReadIconDirectory(file, IconFileType::Icon).at(0);
    EXPECT_TRUE(IconEntryBytes(file, entry));
    entry.size = 0xffffffffu;
    EXPECT_FALSE(IconEntryBytes(file, entry));
    const IconResult result = DecodeIconEntry(file, entry);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error.kind, LoadErrorKind::Truncated);
}

TEST(IconImage, IndexedColourRowsAndMaskAreTopDown)
{
    Bytes dib = IconDib(8, 4, 8);
    const std::size_t colourAt = 40 + 256 * 4;
    dib[colourAt] = 7;  // the first stored row is the bottom one
    const IconResult result = DecodeIconDib(dib, 8, 4);
    ASSERT_TRUE(result) << result.error.reason;
    const IconImage& image = *result.image;
    EXPECT_EQ(image.picture.width, 8);
    EXPECT_EQ(image.picture.height, 4);
    EXPECT_EQ(image.picture.bitsPerPixel, 8);
    EXPECT_EQ(image.picture.ColorAt(0, 3), (RgbQuad{7, 7, 7, 0}));
    EXPECT_EQ(image.picture.ColorAt(0, 0), (RgbQuad{0, 0, 0, 0}));
    ASSERT_EQ(image.mask.size(), 32u);
    EXPECT_EQ(image.mask[0], 1);
    EXPECT_EQ(std::count(image.mask.begin(), image.mask.end(), 1), 1);
    EXPECT_TRUE(image.alpha.empty());
}

TEST(IconImage, ThirtyTwoBitImagesKeepAlphaAndMayLeaveTheMaskOut)
{
    Bytes dib = IconDib(2, 2, 32);
    dib[40] = 10;        // bottom-left blue
    dib[40 + 3] = 128;   // and its alpha
    dib.resize(40 + 16);  // no mask rows
    const IconResult result = DecodeIconDib(dib, 2, 2);
    ASSERT_TRUE(result) << result.error.reason;
    EXPECT_TRUE(result.image->mask.empty());
    EXPECT_EQ(result.image->alpha, (Bytes{0, 0, 128, 0}));
    EXPECT_EQ(result.image->picture.ColorAt(0, 1).blue, 10);
}

// ---------------------------------------------------------------------------
// Every guard, tripped by an image that breaks exactly what it checks.

struct IconGuardCase {
    const char* name;
    std::function<Bytes()> make;  // the image of a 16 x 16 entry
    LoadErrorKind kind;
    const char* reason;  // part of the reason the decoder gives
};

Bytes Patched(int bits, const std::function<void(Bytes&)>& patch)
{
    Bytes dib = IconDib(16, 16, bits);
    patch(dib);
    return dib;
}

const IconGuardCase kIconGuardCases[] = {
    {"Empty", [] { return Bytes{}; }, LoadErrorKind::Truncated, "icon image info header is cut short"},
    {"PngSignatureAsHeader", [] { return Bytes{0x89, 'P', 'N', 'G', 13, 10, 26, 10}; }, LoadErrorKind::Malformed,
     "is not a BMP header size"},
    {"HeaderCutShort", [] { return Patched(4, [](Bytes& b) { b.resize(30); }); }, LoadErrorKind::Truncated,
     "icon image info header is cut short"},
    {"HeaderSizeBeyondImage", [] { return Patched(4, [](Bytes& b) { Put32(b, 0, 0x10000); }); },
     LoadErrorKind::Malformed, "header size 65536 is not a BMP header size"},
    {"TwoPlanes", [] { return Patched(4, [](Bytes& b) { Put16(b, 12, 2); }); }, LoadErrorKind::Malformed,
     "plane count 2 is not 1"},
    {"BitCount7", [] { return Patched(4, [](Bytes& b) { Put16(b, 14, 7); }); }, LoadErrorKind::Malformed,
     "bit count 7 is not a BMP bit count"},
    {"BitCountZero", [] { return Patched(4, [](Bytes& b) { Put16(b, 14, 0); }); }, LoadErrorKind::Malformed,
     "bit count 0 is not a BMP bit count"},
    {"RleCompressed", [] { return Patched(8, [](Bytes& b) { Put32(b, 16, 1); }); }, LoadErrorKind::Unsupported,
     "compressed icon image (compression 1)"},
    {"Bitfields", [] { return Patched(32, [](Bytes& b) { Put32(b, 16, 3); }); }, LoadErrorKind::Unsupported,
     "compressed icon image (compression 3)"},
    {"ZeroWidth", [] { return Patched(4, [](Bytes& b) { Put32(b, 4, 0); }); }, LoadErrorKind::Malformed,
     "width 0 is not positive"},
    {"HeightNotDoubled", [] { return Patched(4, [](Bytes& b) { Put32(b, 8, 31); }); }, LoadErrorKind::Malformed,
     "icon image height 31 is not doubled"},
    {"ZeroHeight", [] { return Patched(4, [](Bytes& b) { Put32(b, 8, 0); }); }, LoadErrorKind::Malformed,
     "icon image height 0 is not doubled"},
    {"NegativeHeight",
     [] { return Patched(4, [](Bytes& b) { Put32(b, 8, static_cast<std::uint32_t>(-32)); }); },
     LoadErrorKind::Malformed, "icon image height -32 is not doubled"},
    {"HeightOfTheEntryOnly", [] { return Patched(4, [](Bytes& b) { Put32(b, 8, 16); }); },
     LoadErrorKind::Malformed, "icon image of 16 x 8 pixels where the directory says 16 x 16"},
    {"WidthOtherThanTheEntry", [] { return Patched(1, [](Bytes& b) { Put32(b, 4, 8); }); },
     LoadErrorKind::Malformed, "icon image of 8 x 16 pixels where the directory says 16 x 16"},
    {"AbsurdWidth", [] { return Patched(4, [](Bytes& b) { Put32(b, 4, 100000); }); }, LoadErrorKind::TooLarge,
     "icon image size 100000 x 16 is beyond the limit of 256 pixels a side"},
    {"AbsurdHeight", [] { return Patched(4, [](Bytes& b) { Put32(b, 8, 0x7ffffffe); }); },
     LoadErrorKind::TooLarge, "is beyond the limit of 256 pixels a side"},
    {"JustPastTheSideLimit", [] { return Patched(1, [](Bytes& b) { Put32(b, 8, 2 * 257); }); },
     LoadErrorKind::TooLarge, "icon image size 16 x 257 is beyond the limit of 256 pixels a side"},
    {"PaletteBeyondBitCount", [] { return Patched(4, [](Bytes& b) { Put32(b, 32, 17); }); },
     LoadErrorKind::Malformed, "palette size 17 is more than 4-bit pixels can index"},
    {"ColourTableCutShort", [] { return Patched(8, [](Bytes& b) { b.resize(40 + 100); }); },
     LoadErrorKind::Truncated, "icon image colour table runs past the end of the image"},
    {"DirectColourTablePastTheEnd", [] { return Patched(24, [](Bytes& b) { Put32(b, 32, 0x40000000u); }); },
     LoadErrorKind::Truncated, "icon image colour table runs past the end of the image"},
    {"ColourRowsCutShort", [] { return Patched(4, [](Bytes& b) { b.resize(40 + 64 + 100); }); },
     LoadErrorKind::Truncated, "icon image colour rows are cut short: 128 bytes needed, 100 present"},
    {"MaskMissing", [] { return Patched(4, [](Bytes& b) { b.resize(b.size() - 64); }); },
     LoadErrorKind::Truncated, "icon image AND mask is cut short: 64 bytes needed, 0 present"},
    {"MaskCutShortByOneByte", [] { return Patched(1, [](Bytes& b) { b.pop_back(); }); },
     LoadErrorKind::Truncated, "icon image AND mask is cut short: 64 bytes needed, 63 present"},
    {"TwentyFourBitsWithoutMask", [] { return Patched(24, [](Bytes& b) { b.resize(b.size() - 64); }); },
     LoadErrorKind::Truncated, "icon image AND mask is cut short"},
};

class IconImageGuard : public testing::TestWithParam<IconGuardCase> {};

TEST_P(IconImageGuard, RefusesWithReason)
{
    const Bytes dib = GetParam().make();
    const IconResult result = DecodeIconDib(dib, 16, 16);
    ASSERT_FALSE(result) << "decoded an image that should be refused";
    EXPECT_EQ(result.error.kind, GetParam().kind) << result.error.reason;
    EXPECT_NE(result.error.reason.find(GetParam().reason), std::string::npos)
        << "reason was: " << result.error.reason;
}

// The same image through a file's directory, as icon and as cursor.
TEST_P(IconImageGuard, RefusedThroughTheDirectoryToo)
{
    for (const IconFileType type : {IconFileType::Icon, IconFileType::Cursor}) {
        const Bytes file = IconFile(GetParam().make(), 16, 16, type);
        const std::vector<IconEntry> entries = ReadIconDirectory(file, type);
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_FALSE(DecodeIconEntry(file, entries[0]));
    }
}

INSTANTIATE_TEST_SUITE_P(IconImage, IconImageGuard, testing::ValuesIn(kIconGuardCases),
                         [](const testing::TestParamInfo<IconGuardCase>& info) { return std::string(info.param.name); });

// The base images of the guard cases must decode, or the cases prove nothing.
TEST(IconImage, GuardBaseImagesDecode)
{
    for (const int bits : {1, 4, 8, 24, 32}) {
        const IconResult result = DecodeIconDib(IconDib(16, 16, bits), 16, 16);
        EXPECT_TRUE(result) << bits << " bits: " << result.error.reason;
    }
}

}  // namespace
}  // namespace logo
