// The picture decoder: every format the conversion promises, EXIF
// orientation, colour profiles, the size cap and the reasons for refusals.

#include "platform/qt/picture/PictureTestFiles.h"
#include "common/TestFiles.h"
#include "export/AnimationFrames.h"
#include "export/GifExport.h"
#include "platform/ui/PictureDecoder.h"

#include <QColorSpace>
#include <QImage>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using platform::DecodedPicture;
using platform::PictureError;
using testing_support::Encode;
using testing_support::TwoHalves;

struct Pixel {
    int r, g, b, a;
};

Pixel At(const logo::RgbaImage& image, int x, int y)
{
    const std::uint8_t* p = image.rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width)
                                                 + static_cast<std::size_t>(x)) * 4;
    return {p[0], p[1], p[2], p[3]};
}

DecodedPicture DecodeBytes(const std::vector<std::uint8_t>& bytes, std::uint64_t cap = platform::kMaxPicturePixels)
{
    return platform::DecodePictureData(bytes.data(), bytes.size(), cap);
}

class PictureFormats : public ::testing::TestWithParam<const char*> {};

TEST_P(PictureFormats, DecodesTheHalvesOfAPicture)
{
    const char* format = GetParam();
    const auto bytes = Encode(TwoHalves(37, 21, qRgb(250, 10, 10), qRgb(10, 10, 250)), format);
    ASSERT_FALSE(bytes.empty()) << "Qt could not write " << format;
    const DecodedPicture decoded = DecodeBytes(bytes);
    ASSERT_TRUE(decoded) << decoded.reason;
    ASSERT_EQ(decoded.picture->width, 37);
    ASSERT_EQ(decoded.picture->height, 21);
    EXPECT_TRUE(decoded.picture->IsWellFormed());
    EXPECT_NEAR(At(*decoded.picture, 3, 10).r, 250, 12);
    EXPECT_NEAR(At(*decoded.picture, 33, 10).b, 250, 12);
    EXPECT_EQ(At(*decoded.picture, 33, 10).a, 255);
}

// WebP and TIFF come from the image-formats plugins the project installs.
INSTANTIATE_TEST_SUITE_P(EveryWrittenFormat, PictureFormats, ::testing::Values("png", "jpg", "bmp", "webp", "tiff"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

TEST(PictureDecoder, TakesTheFirstFrameOfAnAnimatedGif)
{
    // Every pixel uses entry 255 of a two-entry cycle: blue in the first
    // frame, red in the second.
    logo::LogoImage image = logo::MakeBlankLogo();
    std::fill(image.pixels.begin(), image.pixels.end(), 255);
    logo::ColorTable table{};
    table[254] = {0, 0, 250, 0};
    table[255] = {250, 0, 0, 0};
    std::string error;
    const auto gif = exporting::EncodeGif(exporting::BuildAnimationFrames(image, table, 2, false), error);
    ASSERT_FALSE(gif.empty()) << error;
    const DecodedPicture decoded = DecodeBytes(gif);
    ASSERT_TRUE(decoded) << decoded.reason;
    EXPECT_EQ(decoded.picture->width, 320);
    const Pixel shown = At(*decoded.picture, 100, 100);
    EXPECT_EQ(shown.b, 250);
    EXPECT_EQ(shown.r, 0);
}

TEST(PictureDecoder, KeepsTransparency)
{
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(qRgba(0, 255, 0, 0));
    const DecodedPicture decoded = DecodeBytes(Encode(image, "png"));
    ASSERT_TRUE(decoded) << decoded.reason;
    EXPECT_EQ(At(*decoded.picture, 1, 1).a, 0);
}

TEST(PictureDecoder, TurnsAPictureUprightByItsExifOrientation)
{
    // Orientation 6: shown turned a quarter clockwise, so the left half
    // comes out on top.
    const auto jpeg = Encode(TwoHalves(40, 20, qRgb(255, 0, 0), qRgb(0, 0, 255)), "jpg");
    const DecodedPicture decoded = DecodeBytes(testing_support::WithExifOrientation(jpeg, 6));
    ASSERT_TRUE(decoded) << decoded.reason;
    ASSERT_EQ(decoded.picture->width, 20);
    ASSERT_EQ(decoded.picture->height, 40);
    EXPECT_GT(At(*decoded.picture, 10, 5).r, 200);
    EXPECT_GT(At(*decoded.picture, 10, 35).b, 200);
}

TEST(PictureDecoder, ConvertsAnEmbeddedProfileToSrgb)
{
    // A picture tagged as linear light: its 128 is a middle grey of half
    // the light, 188 in sRGB.
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(qRgb(128, 128, 128));
    image.setColorSpace(QColorSpace(QColorSpace::Primaries::SRgb, 1.0f));
    const DecodedPicture decoded = DecodeBytes(Encode(image, "png"));
    ASSERT_TRUE(decoded) << decoded.reason;
    EXPECT_NEAR(At(*decoded.picture, 4, 4).g, 188, 3);
}

TEST(PictureDecoder, RefusesABombBeforeAllocating)
{
    const DecodedPicture decoded = DecodeBytes(testing_support::PngClaimingSize(30000, 30000));
    EXPECT_FALSE(decoded);
    EXPECT_EQ(decoded.error, PictureError::TooLarge);
    EXPECT_NE(decoded.reason.find("30000 x 30000"), std::string::npos) << decoded.reason;
    EXPECT_NE(decoded.reason.find("100 megapixels"), std::string::npos) << decoded.reason;
}

TEST(PictureDecoder, HonoursASmallerCap)
{
    const auto png = Encode(TwoHalves(20, 20, qRgb(0, 0, 0), qRgb(255, 255, 255)), "png");
    EXPECT_EQ(DecodeBytes(png, 399).error, PictureError::TooLarge);
    EXPECT_TRUE(DecodeBytes(png, 400));
}

TEST(PictureDecoder, NamesWhyAFileIsRefused)
{
    const std::string text = "this is not a picture at all";
    const DecodedPicture notPicture = DecodeBytes({text.begin(), text.end()});
    EXPECT_EQ(notPicture.error, PictureError::Unsupported);
    EXPECT_NE(notPicture.reason.find("not a picture"), std::string::npos);

    auto png = Encode(TwoHalves(64, 64, qRgb(1, 2, 3), qRgb(200, 100, 50)), "png");
    png.resize(png.size() / 2);
    const DecodedPicture cut = DecodeBytes(png);
    EXPECT_FALSE(cut);
    EXPECT_EQ(cut.error, PictureError::Malformed);

    EXPECT_EQ(DecodeBytes({}).error, PictureError::Unsupported);
}

TEST(PictureDecoder, ReadsFilesByTheirContent)
{
    testing_support::TempDir dir;
    // A BMP under the logo's own extension, and a missing file.
    const std::string path = dir.File("picture.sys");
    testing_support::WriteAll(path, Encode(TwoHalves(10, 6, qRgb(9, 9, 9), qRgb(99, 99, 99)), "bmp"));
    const DecodedPicture decoded = platform::DecodePictureFile(path);
    ASSERT_TRUE(decoded) << decoded.reason;
    EXPECT_EQ(decoded.picture->width, 10);

    const DecodedPicture missing = platform::DecodePictureFile(dir.File("absent.png"));
    EXPECT_EQ(missing.error, PictureError::Unreadable);
    EXPECT_EQ(missing.reason, "the file cannot be opened");
}

TEST(PictureDecoder, RefusesWhatIsNoRegularFileWithoutWaiting)
{
    testing_support::TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("pipe.png").c_str(), 0600), 0);
    for (const std::string& path : {dir.File("pipe.png"), dir.Path().string()}) {
        const DecodedPicture refused = platform::DecodePictureFile(path);
        EXPECT_EQ(refused.error, PictureError::Unreadable) << path;
        EXPECT_EQ(refused.reason, "the file is not a regular file") << path;
    }
}

}  // namespace
