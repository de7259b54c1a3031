// The BMP reader against the public-domain BMP Suite pictures: the good ones
// decode, the same picture in seven encodings decodes to the same colours,
// and the broken ones are refused for the right reason.

#include "logo/BmpReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace logo {
namespace {

namespace fs = std::filesystem;

fs::path SuiteDir()
{
    return fs::path(LUMIVANE_TESTDATA_DIR) / "bmpsuite";
}

#define SKIP_WITHOUT_SUITE()                                                                   \
    do {                                                                                       \
        if (!fs::is_directory(SuiteDir()))                                                     \
            GTEST_SKIP() << "BMP Suite not found at " << SuiteDir().string() << "; skipping"; \
    } while (false)

std::vector<fs::path> BmpFilesIn(const std::string& folder)
{
    std::vector<fs::path> files;
    const fs::path dir = SuiteDir() / folder;
    if (!fs::is_directory(dir))
        return files;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir))
        if (entry.path().extension() == ".bmp")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

bool SameColours(const Picture& a, const Picture& b)
{
    if (a.width != b.width || a.height != b.height)
        return false;
    for (std::int32_t y = 0; y < a.height; ++y)
        for (std::int32_t x = 0; x < a.width; ++x)
            if (!(a.ColorAt(x, y) == b.ColorAt(x, y)))
                return false;
    return true;
}

TEST(BmpSuite, EveryGoodFileDecodes)
{
    SKIP_WITHOUT_SUITE();
    const std::vector<fs::path> files = BmpFilesIn("g");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        const LoadResult result = LoadBmpFile(file.string());
        EXPECT_TRUE(result) << file.filename().string() << ": " << result.error.reason;
        if (!result)
            continue;
        const Picture& picture = *result.picture;
        EXPECT_EQ(picture.pixels.size(), static_cast<std::size_t>(picture.width) * picture.height
                                             * picture.BytesPerPixel())
            << file.filename().string();
        if (picture.IsIndexed()) {
            EXPECT_EQ(picture.colorTable.size(), std::size_t{1} << picture.bitsPerPixel) << file.filename().string();
        }
    }
}

TEST(BmpSuite, SevenEncodingsOfOnePictureGiveTheSameColours)
{
    SKIP_WITHOUT_SUITE();
    const LoadResult reference = LoadBmpFile((SuiteDir() / "g/pal8.bmp").string());
    ASSERT_TRUE(reference) << reference.error.reason;
    EXPECT_EQ(reference.picture->width, 127);
    EXPECT_EQ(reference.picture->height, 64);
    for (const char* name : {"pal8-0.bmp", "pal8os2.bmp", "pal8rle.bmp", "pal8topdown.bmp", "pal8v4.bmp",
                             "pal8v5.bmp"}) {
        const LoadResult result = LoadBmpFile((SuiteDir() / "g" / name).string());
        ASSERT_TRUE(result) << name << ": " << result.error.reason;
        EXPECT_TRUE(SameColours(*reference.picture, *result.picture)) << name;
    }
}

TEST(BmpSuite, DirectColourEncodingsOfOnePictureGiveTheSameColours)
{
    SKIP_WITHOUT_SUITE();
    const std::vector<std::vector<const char*>> groups = {
        {"rgb24.bmp", "rgb24pal.bmp", "rgb32.bmp", "rgb32bf.bmp", "rgb32bfdef.bmp"},
        {"rgb16.bmp", "rgb16bfdef.bmp"},
        {"rgb16-565.bmp", "rgb16-565pal.bmp"},
        {"pal4.bmp", "pal4rle.bmp"},
    };
    for (const auto& group : groups) {
        const LoadResult first = LoadBmpFile((SuiteDir() / "g" / group.front()).string());
        ASSERT_TRUE(first) << group.front() << ": " << first.error.reason;
        for (std::size_t i = 1; i < group.size(); ++i) {
            const LoadResult other = LoadBmpFile((SuiteDir() / "g" / group[i]).string());
            ASSERT_TRUE(other) << group[i] << ": " << other.error.reason;
            EXPECT_TRUE(SameColours(*first.picture, *other.picture)) << group.front() << " vs " << group[i];
        }
    }
}

// What the reader does with each file of b/. Some of them only carry odd
// values in fields a reader has no use for; those decode.
struct BadFileCase {
    const char* file;
    std::optional<LoadErrorKind> refusal;  // nullopt: the file decodes
    const char* reason;                    // part of the refusal reason, or why the file decodes
};

const BadFileCase kBadFiles[] = {
    {"badbitcount.bmp", LoadErrorKind::Malformed, "bit count 30000 is not a BMP bit count"},
    {"badbitssize.bmp", std::nullopt, "biSizeImage is not needed for uncompressed rows"},
    {"baddens1.bmp", std::nullopt, "pixels per metre are never read"},
    {"baddens2.bmp", std::nullopt, "pixels per metre are never read"},
    {"badfilesize.bmp", std::nullopt, "bfSize is never read"},
    {"badheadersize.bmp", LoadErrorKind::Malformed, "header size 66 is not a BMP header size"},
    {"badpalettesize.bmp", LoadErrorKind::Malformed, "palette size 305402420"},
    {"badplanes.bmp", LoadErrorKind::Malformed, "plane count 30000 is not 1"},
    {"badrle.bmp", LoadErrorKind::Malformed, "RLE run goes past the end of row"},
    {"badrle4.bmp", LoadErrorKind::Malformed, "RLE run goes past the end of row"},
    {"badrle4bis.bmp", LoadErrorKind::Malformed, "RLE delta moves outside the picture"},
    {"badrle4ter.bmp", LoadErrorKind::Malformed, "RLE delta moves outside the picture"},
    {"badrlebis.bmp", LoadErrorKind::Malformed, "RLE delta moves outside the picture"},
    {"badrleter.bmp", LoadErrorKind::Malformed, "RLE delta moves outside the picture"},
    {"badwidth.bmp", LoadErrorKind::Malformed, "width -127 is not positive"},
    {"pal8badindex.bmp", std::nullopt, "indices beyond the 101-entry table show black"},
    {"reallybig.bmp", LoadErrorKind::TooLarge, "3000000 x 2000000 is beyond the limit"},
    {"rgb16-880.bmp", std::nullopt, "masks 0xff00 and 0x00ff are valid; the zero blue mask gives no blue"},
    {"rletopdown.bmp", LoadErrorKind::Malformed, "RLE-compressed BMP cannot have top-down rows"},
    {"shortfile.bmp", LoadErrorKind::Truncated, "BMP pixel data is cut short"},
};

class BmpSuiteBadFile : public testing::TestWithParam<BadFileCase> {};

TEST_P(BmpSuiteBadFile, HasTheExpectedOutcome)
{
    SKIP_WITHOUT_SUITE();
    const BadFileCase& expected = GetParam();
    const LoadResult result = LoadBmpFile((SuiteDir() / "b" / expected.file).string());
    if (!expected.refusal) {
        EXPECT_TRUE(result) << "expected to decode (" << expected.reason << ") but: " << result.error.reason;
        return;
    }
    ASSERT_FALSE(result) << "expected a refusal: " << expected.reason;
    EXPECT_EQ(result.error.kind, *expected.refusal) << result.error.reason;
    EXPECT_NE(result.error.reason.find(expected.reason), std::string::npos) << "reason was: " << result.error.reason;
}

INSTANTIATE_TEST_SUITE_P(BmpSuite, BmpSuiteBadFile, testing::ValuesIn(kBadFiles),
                         [](const testing::TestParamInfo<BadFileCase>& info) {
                             std::string name = info.param.file;
                             name = name.substr(0, name.size() - 4);
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(BmpSuite, EveryBadFileHasAnExpectedOutcome)
{
    SKIP_WITHOUT_SUITE();
    std::set<std::string> listed;
    for (const BadFileCase& entry : kBadFiles)
        listed.insert(entry.file);
    for (const fs::path& file : BmpFilesIn("b"))
        EXPECT_TRUE(listed.count(file.filename().string())) << file.filename().string() << " is not in the table";
}

TEST(BmpSuite, BadIndicesShowBlack)
{
    SKIP_WITHOUT_SUITE();
    const LoadResult result = LoadBmpFile((SuiteDir() / "b/pal8badindex.bmp").string());
    ASSERT_TRUE(result) << result.error.reason;
    const Picture& picture = *result.picture;
    ASSERT_EQ(picture.colorTable.size(), 256u);
    bool sawBadIndex = false;
    for (std::int32_t y = 0; y < picture.height; ++y) {
        for (std::int32_t x = 0; x < picture.width; ++x) {
            const std::uint8_t index = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            if (index >= 101) {
                sawBadIndex = true;
                EXPECT_EQ(picture.ColorAt(x, y), RgbQuad{});
            }
        }
    }
    EXPECT_TRUE(sawBadIndex);
}

// Questionable files may be decoded or refused; either way cleanly, with a
// reason when refused. Run under the sanitizers this is the real check.
TEST(BmpSuite, QuestionableFilesDecodeOrRefuseCleanly)
{
    SKIP_WITHOUT_SUITE();
    const std::vector<fs::path> files = BmpFilesIn("q");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        const LoadResult result = LoadBmpFile(file.string());
        if (result) {
            const Picture& picture = *result.picture;
            EXPECT_EQ(picture.pixels.size(),
                      static_cast<std::size_t>(picture.width) * picture.height * picture.BytesPerPixel())
                << file.filename().string();
        } else {
            EXPECT_FALSE(result.error.reason.empty()) << file.filename().string();
        }
        RecordProperty(file.filename().string(), result ? "decoded" : result.error.reason);
    }
}

}  // namespace
}  // namespace logo
