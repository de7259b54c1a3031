// The Win32 picture decoder on bytes in memory: every format it reads, the
// EXIF turn of JPEGs, the formats it names and refuses, damaged data and
// the pixel cap checked before anything is decoded.

#include "TestPictures.h"

#include "platform/ui/PictureDecoder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

namespace {

using lumivane::test::Bytes;
using platform::DecodedPicture;
using platform::PictureError;

DecodedPicture Decode(const Bytes& bytes, std::uint64_t maxPixels = platform::kMaxPicturePixels)
{
    return platform::DecodePictureData(bytes.data(), bytes.size(), maxPixels);
}

std::array<int, 4> PixelAt(const logo::RgbaImage& picture, int x, int y)
{
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + x) * 4;
    return {picture.rgba[at], picture.rgba[at + 1], picture.rgba[at + 2], picture.rgba[at + 3]};
}

// JPEG is lossy: a colour counts when every channel is within a few steps.
bool Near(const std::array<int, 4>& actual, std::array<int, 3> expected)
{
    for (int i = 0; i < 3; ++i) {
        if (std::abs(actual[static_cast<std::size_t>(i)] - expected[static_cast<std::size_t>(i)]) > 24)
            return false;
    }
    return true;
}

constexpr std::array<int, 3> kRgbRed{255, 0, 0};
constexpr std::array<int, 3> kRgbGreen{0, 255, 0};
constexpr std::array<int, 3> kRgbBlue{0, 0, 255};
constexpr std::array<int, 3> kWhite{255, 255, 255};

TEST(Win32PictureFormats, PngKeepsEveryPixelAndItsAlpha)
{
    const lumivane::test::TestRgba source = lumivane::test::Gradient(5, 3);
    const DecodedPicture decoded = Decode(lumivane::test::EncodePng(source));
    ASSERT_TRUE(decoded) << decoded.reason;
    EXPECT_EQ(decoded.picture->width, 5);
    EXPECT_EQ(decoded.picture->height, 3);
    EXPECT_EQ(decoded.picture->rgba, source.rgba);
}

TEST(Win32PictureFormats, BmpIsOpaqueWithTheSameColours)
{
    lumivane::test::TestRgba source = lumivane::test::Gradient(4, 3);
    const DecodedPicture decoded = Decode(lumivane::test::EncodeBmp(source));
    ASSERT_TRUE(decoded) << decoded.reason;
    for (std::size_t i = 3; i < source.rgba.size(); i += 4)
        source.rgba[i] = 255;
    EXPECT_EQ(decoded.picture->rgba, source.rgba);
}

TEST(Win32PictureFormats, RleBmpGoesThroughTheDibDecoder)
{
    const DecodedPicture decoded = Decode(lumivane::test::RleBmp());
    ASSERT_TRUE(decoded) << decoded.reason;
    ASSERT_EQ(decoded.picture->width, 2);
    ASSERT_EQ(decoded.picture->height, 2);
    EXPECT_EQ(PixelAt(*decoded.picture, 0, 0), (std::array<int, 4>{0, 0, 255, 255}));
    EXPECT_EQ(PixelAt(*decoded.picture, 1, 1), (std::array<int, 4>{255, 0, 0, 255}));
}

TEST(Win32PictureFormats, IndexBeyondAShortColourTableIsBlack)
{
    const DecodedPicture decoded = Decode(lumivane::test::ShortTableBmp());
    ASSERT_TRUE(decoded) << decoded.reason;
    ASSERT_EQ(decoded.picture->width, 2);
    EXPECT_EQ(PixelAt(*decoded.picture, 0, 0), (std::array<int, 4>{255, 0, 0, 255}));
    EXPECT_EQ(PixelAt(*decoded.picture, 1, 0), (std::array<int, 4>{0, 0, 0, 255}));
}

TEST(Win32PictureFormats, GifGivesItsFirstFrame)
{
    const DecodedPicture decoded = Decode(lumivane::test::TwoFrameGif());
    ASSERT_TRUE(decoded) << decoded.reason;
    ASSERT_EQ(decoded.picture->width, 1);
    EXPECT_EQ(PixelAt(*decoded.picture, 0, 0), (std::array<int, 4>{255, 0, 0, 255}));
}

TEST(Win32PictureFormats, GifTransparencyBecomesAlpha)
{
    const DecodedPicture decoded = Decode(lumivane::test::TransparentGif());
    ASSERT_TRUE(decoded) << decoded.reason;
    ASSERT_EQ(decoded.picture->width, 2);
    EXPECT_EQ(PixelAt(*decoded.picture, 0, 0), (std::array<int, 4>{255, 0, 0, 255}));
    EXPECT_EQ(PixelAt(*decoded.picture, 1, 0)[3], 0);
}

TEST(Win32PictureFormats, JpegWithoutExifStaysAsStored)
{
    const DecodedPicture decoded = Decode(lumivane::test::EncodeJpeg(lumivane::test::Quadrants(32, 16)));
    ASSERT_TRUE(decoded) << decoded.reason;
    EXPECT_EQ(decoded.picture->width, 32);
    EXPECT_EQ(decoded.picture->height, 16);
    EXPECT_TRUE(Near(PixelAt(*decoded.picture, 4, 4), kRgbRed));
    EXPECT_TRUE(Near(PixelAt(*decoded.picture, 27, 11), kWhite));
}

// Stored: red green / blue white, 32 x 16. Where each colour stands once
// the orientation is applied, sampled in the middle of each quadrant.
struct OrientationCase {
    const char* name;
    int orientation;
    bool bigEndian;
    int width;
    int height;
    std::array<std::array<int, 3>, 4> corners;  // top left, top right, bottom left, bottom right
};

class Win32JpegOrientation : public testing::TestWithParam<OrientationCase> {};

TEST_P(Win32JpegOrientation, TurnsThePictureUpright)
{
    const OrientationCase& c = GetParam();
    const Bytes jpeg = lumivane::test::EncodeJpeg(lumivane::test::Quadrants(32, 16));
    const DecodedPicture decoded = Decode(lumivane::test::WithExifOrientation(jpeg, c.orientation, c.bigEndian));
    ASSERT_TRUE(decoded) << decoded.reason;
    const logo::RgbaImage& picture = *decoded.picture;
    ASSERT_EQ(picture.width, c.width);
    ASSERT_EQ(picture.height, c.height);
    const int left = picture.width / 4;
    const int right = picture.width * 3 / 4;
    const int top = picture.height / 4;
    const int bottom = picture.height * 3 / 4;
    EXPECT_TRUE(Near(PixelAt(picture, left, top), c.corners[0]));
    EXPECT_TRUE(Near(PixelAt(picture, right, top), c.corners[1]));
    EXPECT_TRUE(Near(PixelAt(picture, left, bottom), c.corners[2]));
    EXPECT_TRUE(Near(PixelAt(picture, right, bottom), c.corners[3]));
}

INSTANTIATE_TEST_SUITE_P(
    Orientations, Win32JpegOrientation,
    testing::Values(OrientationCase{"AsStored", 1, true, 32, 16, {kRgbRed, kRgbGreen, kRgbBlue, kWhite}},
                    OrientationCase{"Mirrored", 2, true, 32, 16, {kRgbGreen, kRgbRed, kWhite, kRgbBlue}},
                    OrientationCase{"HalfTurn", 3, false, 32, 16, {kWhite, kRgbBlue, kRgbGreen, kRgbRed}},
                    OrientationCase{"Flipped", 4, true, 32, 16, {kRgbBlue, kWhite, kRgbRed, kRgbGreen}},
                    OrientationCase{"Transposed", 5, false, 16, 32, {kRgbRed, kRgbBlue, kRgbGreen, kWhite}},
                    OrientationCase{"QuarterClockwise", 6, true, 16, 32, {kRgbBlue, kRgbRed, kWhite, kRgbGreen}},
                    OrientationCase{"Transversed", 7, true, 16, 32, {kWhite, kRgbGreen, kRgbBlue, kRgbRed}},
                    OrientationCase{"QuarterAnticlockwise", 8, false, 16, 32, {kRgbGreen, kWhite, kRgbRed, kRgbBlue}}),
    [](const testing::TestParamInfo<OrientationCase>& info) { return std::string(info.param.name); });

// EXIF blocks that lie about where things are: the picture is shown as
// stored, never read beyond the block.
TEST(Win32JpegExifGuards, DamagedExifLeavesThePictureAsStored)
{
    const Bytes jpeg = lumivane::test::EncodeJpeg(lumivane::test::Quadrants(32, 16));
    const std::array<Bytes, 6> payloads{{
        {'E', 'x', 'i', 'f', 0, 0},                                          // no TIFF header
        {'E', 'x', 'i', 'f', 0, 0, 'X', 'X', 0, 42, 0, 0, 0, 8},              // unknown byte order
        {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 41, 0, 0, 0, 8},              // not 42
        {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0x7F, 0xFF, 0xFF, 0xFF},  // directory far beyond
        {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0xFF, 0xFF},  // 65535 entries, none there
        {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1,         // orientation 9
         0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, 9, 0, 0},
    }};
    for (const Bytes& payload : payloads) {
        const DecodedPicture decoded = Decode(lumivane::test::WithApp1(jpeg, payload));
        ASSERT_TRUE(decoded) << decoded.reason;
        EXPECT_EQ(decoded.picture->width, 32);
        EXPECT_TRUE(Near(PixelAt(*decoded.picture, 8, 4), kRgbRed));
    }
}

Bytes SmallJpeg()
{
    return lumivane::test::EncodeJpeg(lumivane::test::Quadrants(32, 16));
}

struct RefusedCase {
    const char* name;
    Bytes bytes;
    PictureError error;
    const char* reasonPart;
};

class Win32PictureRefusals : public testing::TestWithParam<RefusedCase> {};

TEST_P(Win32PictureRefusals, GiveTheKindAndAReason)
{
    const RefusedCase& c = GetParam();
    const DecodedPicture decoded = Decode(c.bytes);
    EXPECT_FALSE(decoded);
    EXPECT_EQ(decoded.error, c.error);
    EXPECT_NE(decoded.reason.find(c.reasonPart), std::string::npos) << decoded.reason;
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, Win32PictureRefusals,
    testing::Values(
        RefusedCase{"Empty", {}, PictureError::Unsupported, "PNG, JPEG, GIF or BMP"},
        RefusedCase{"Text", {'h', 'e', 'l', 'l', 'o', '\n'}, PictureError::Unsupported, "not a picture"},
        RefusedCase{"WebP", {'R', 'I', 'F', 'F', 20, 0, 0, 0, 'W', 'E', 'B', 'P', 'V', 'P', '8', 'L'},
                    PictureError::Unsupported, "WebP"},
        RefusedCase{"TiffLittleEndian", {'I', 'I', 42, 0, 8, 0, 0, 0}, PictureError::Unsupported, "TIFF"},
        RefusedCase{"TiffBigEndian", {'M', 'M', 0, 42, 0, 0, 0, 8}, PictureError::Unsupported, "TIFF"},
        RefusedCase{"PngSignatureOnly", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, PictureError::Malformed,
                    "PNG picture's data is damaged"},
        RefusedCase{"PngWithoutPixels", lumivane::test::PngHeaderOnly(4, 4), PictureError::Malformed, "PNG"},
        RefusedCase{"GifSignatureOnly", {'G', 'I', 'F', '8', '9', 'a'}, PictureError::Malformed, "GIF"},
        RefusedCase{"JpegStartOnly", {0xFF, 0xD8, 0xFF, 0xE0}, PictureError::Malformed, "JPEG"},
        RefusedCase{"BmpMagicOnly", {'B', 'M'}, PictureError::Malformed, "BMP"},
        RefusedCase{"HeaderBeyondTheCap", lumivane::test::PngHeaderOnly(20000, 20000), PictureError::TooLarge,
                    "20000 x 20000 pixels"},
        // JPEG and GIF headers are read before the system's decoder sees them.
        RefusedCase{"JpegFrameBeyondTheCap", lumivane::test::WithJpegFrameSize(SmallJpeg(), 20000, 20000),
                    PictureError::TooLarge, "20000 x 20000 pixels"},
        RefusedCase{"JpegFrameWithoutHeight", lumivane::test::WithJpegFrameSize(SmallJpeg(), 32, 0),
                    PictureError::Malformed, "JPEG"},
        RefusedCase{"JpegGarbageBeforeTheFrame", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x02, 'x', 0xFF, 0xC0},
                    PictureError::Malformed, "JPEG"},
        RefusedCase{"JpegScanBeforeTheFrame", {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x08, 1, 1, 0, 0, 63, 0},
                    PictureError::Malformed, "JPEG"},
        RefusedCase{"JpegWithoutQuantisationTables", lumivane::test::WithoutJpegSegments(SmallJpeg(), 0xDB),
                    PictureError::Malformed, "JPEG"},
        RefusedCase{"GifImageBeyondTheCap",
                    {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0, 0x20, 0x4E, 0x20, 0x4E, 0},
                    PictureError::TooLarge, "20000 x 20000 pixels"},
        RefusedCase{"GifUnknownBlockBeforeTheImage", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x99},
                    PictureError::Malformed, "GIF"}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST(Win32PictureCap, HoldsAtExactlyTheCap)
{
    const Bytes png = lumivane::test::EncodePng(lumivane::test::Gradient(10, 10));
    EXPECT_TRUE(Decode(png, 100));
    const DecodedPicture refused = Decode(png, 99);
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.error, PictureError::TooLarge);
}

TEST(Win32PictureCap, AppliesToTheDibDecoderToo)
{
    const DecodedPicture refused = Decode(lumivane::test::RleBmp(), 3);
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.error, PictureError::TooLarge);
}

// The same bytes give the same picture or the same refusal whatever was
// decoded before, in any order. The JPEGs without quantisation tables or
// without a scan and the BMP indexing beyond its colour table are the ones
// a decoder would fill from memory it never wrote, left over from the file
// before.
TEST(Win32PictureDecodes, DependOnTheFileAloneNotOnWhatCameBefore)
{
    const lumivane::test::TestRgba source = lumivane::test::Quadrants(32, 16);
    const Bytes fine = lumivane::test::EncodeJpeg(source, 100);
    const std::array<Bytes, 7> files{fine,
                                     lumivane::test::EncodeJpeg(source, 1),
                                     lumivane::test::WithoutJpegSegments(fine, 0xDB),
                                     lumivane::test::WithoutJpegSegments(fine, 0xDA),
                                     lumivane::test::EncodePng(lumivane::test::Gradient(5, 3)),
                                     lumivane::test::ShortTableBmp(),
                                     lumivane::test::TwoFrameGif()};
    for (std::size_t file = 0; file < files.size(); ++file) {
        const DecodedPicture first = Decode(files[file]);
        for (std::size_t before = 0; before < files.size(); ++before) {
            Decode(files[before]);
            const DecodedPicture after = Decode(files[file]);
            SCOPED_TRACE("file " + std::to_string(file) + " after file " + std::to_string(before));
            EXPECT_EQ(after.error, first.error);
            EXPECT_EQ(after.reason, first.reason);
            ASSERT_EQ(after.picture.has_value(), first.picture.has_value());
            if (first.picture) {
                EXPECT_TRUE(after.picture->rgba == first.picture->rgba);
            }
        }
    }
}

// Every prefix of a valid file, and the file with each byte of its header
// changed: a picture or a refusal with a reason, never a crash or a read
// past the end (the sanitizers of the fuzz build watch the same).
TEST(Win32PictureDamage, CutOrChangedFilesDecodeOrRefuseCleanly)
{
    const lumivane::test::TestRgba source = lumivane::test::Quadrants(16, 8);
    const std::array<Bytes, 5> files{lumivane::test::EncodePng(source), lumivane::test::EncodeBmp(source),
                                     lumivane::test::EncodeJpeg(source), lumivane::test::TwoFrameGif(),
                                     lumivane::test::RleBmp()};
    for (const Bytes& file : files) {
        for (std::size_t length = 0; length < file.size(); ++length) {
            const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
            const DecodedPicture decoded = Decode(cut);
            if (!decoded) {
                EXPECT_NE(decoded.error, PictureError::None);
                EXPECT_FALSE(decoded.reason.empty());
            } else {
                EXPECT_TRUE(decoded.picture->IsWellFormed());
            }
        }
        for (std::size_t at = 0; at < std::min<std::size_t>(file.size(), 64); ++at) {
            Bytes changed = file;
            changed[at] = static_cast<std::uint8_t>(changed[at] ^ 0xA5);
            const DecodedPicture decoded = Decode(changed);
            EXPECT_TRUE(decoded ? decoded.picture->IsWellFormed() : !decoded.reason.empty());
        }
    }
}

}  // namespace
