// The compiled-in resources as the applet and the host read them: strings,
// decoded bitmaps, cursor and icon files, version information.

#include "platform/ui/ResourceLoading.h"
#include "resources/ModuleResourceBlob.h"
#include "resources/ResourceIds.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::ResourceType;

class ModuleResources : public testing::Test {
protected:
    void SetUp() override { platform::SetModuleResources(res::ModuleResourceBlob()); }
    void TearDown() override { platform::SetModuleResources({}); }
};

std::uint16_t U16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t U32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return U16(bytes, at) | (static_cast<std::uint32_t>(U16(bytes, at + 2)) << 16);
}

// One entry of an .ico/.cur directory, with the info header it points to.
struct DirectoryImage {
    int width;
    int height;
    int field4;      // icon: planes; cursor: hot spot x
    int field6;      // icon: bit count; cursor: hot spot y
    int headerBits;  // biBitCount of the image itself
    int headerHeight;
};

std::vector<DirectoryImage> ReadDirectory(std::span<const std::uint8_t> file, std::uint16_t expectedType)
{
    std::vector<DirectoryImage> images;
    if (file.size() < 6 || U16(file, 0) != 0 || U16(file, 2) != expectedType)
        return images;
    const std::uint16_t count = U16(file, 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = 6 + 16 * i;
        if (at + 16 > file.size())
            return {};
        const std::uint32_t size = U32(file, at + 8);
        const std::uint32_t offset = U32(file, at + 12);
        if (offset + 40 > file.size() || size > file.size() - offset)
            return {};
        images.push_back({file[at] == 0 ? 256 : file[at], file[at + 1] == 0 ? 256 : file[at + 1], U16(file, at + 4),
                          U16(file, at + 6), U16(file, offset + 14), static_cast<int>(U32(file, offset + 8))});
    }
    return images;
}

TEST_F(ModuleResources, LoadsEveryTableStringByItsId)
{
    for (const res::StringResource& entry : res::StringTable())
        EXPECT_EQ(platform::LoadStringA(entry.id), entry.text) << entry.id;
    EXPECT_EQ(platform::LoadStringA(res::IDS_MAIN_TIP_PRESHUTDOWN), "Shows the currently selected Pre-Shut Down Logo");
}

TEST_F(ModuleResources, MissingStringIsEmpty)
{
    EXPECT_EQ(platform::LoadStringA(99), "");
    EXPECT_EQ(platform::LoadStringA(0x10001), "");
}

TEST(ModuleResourcesUnset, FindNothingWithoutABlob)
{
    platform::SetModuleResources({});
    EXPECT_EQ(platform::LoadStringA(1), "");
    EXPECT_FALSE(platform::LoadBitmapA(res::IDB_PREVIEW_UNAVAILABLE).has_value());
    EXPECT_TRUE(platform::FindResourceData(ResourceType::Icon, res::IDI_APPLET).empty());
}

TEST(ModuleResourcesUnset, CopiesTheBlobItIsGiven)
{
    std::vector<std::uint8_t> blob = platform::PackResources({{ResourceType::String, 7, {'o', 'k'}}});
    platform::SetModuleResources(blob);
    std::fill(blob.begin(), blob.end(), 0);
    EXPECT_EQ(platform::LoadStringA(7), "ok");
    platform::SetModuleResources({});
}

TEST_F(ModuleResources, PlaceholderIs235By142In16Colours)
{
    const auto picture = platform::LoadBitmapA(res::IDB_PREVIEW_UNAVAILABLE);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, 235);
    EXPECT_EQ(picture->height, 142);
    EXPECT_EQ(picture->bitsPerPixel, 4);
    // White ground in the corners, red letters in the middle rows.
    const logo::RgbQuad corner = picture->ColorAt(0, 0);
    EXPECT_EQ(corner, (logo::RgbQuad{255, 255, 255, 0}));
    bool hasRed = false;
    for (int x = 0; x < picture->width; ++x)
        hasRed = hasRed || picture->ColorAt(x, 50) == logo::RgbQuad{0, 0, 255, 0};
    EXPECT_TRUE(hasRed);
}

struct FaceCase {
    const char* name;
    int id;
    int width;
};

class ButtonFace : public testing::TestWithParam<FaceCase> {};

TEST_P(ButtonFace, Is8BitOnLightGrey)
{
    platform::SetModuleResources(res::ModuleResourceBlob());
    const auto picture = platform::LoadBitmapA(GetParam().id);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, GetParam().width);
    EXPECT_EQ(picture->height, 16);
    EXPECT_EQ(picture->bitsPerPixel, 8);
    EXPECT_EQ(picture->colorTable.size(), 256u);
    EXPECT_EQ(picture->ColorAt(0, picture->height - 1), (logo::RgbQuad{192, 192, 192, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Faces, ButtonFace,
    testing::Values(FaceCase{"Pipette", 1022, 16}, FaceCase{"ColorChooser", 1023, 16}, FaceCase{"Bucket", 1027, 16},
                    FaceCase{"SwatchGrid", 1029, 16}, FaceCase{"Eye", 1031, 16}, FaceCase{"ColorCheck", 1033, 16},
                    FaceCase{"FilmStrip", 1034, 15}, FaceCase{"SegmentedBar", 1039, 16}, FaceCase{"UTurn", 1041, 16}),
    [](const testing::TestParamInfo<FaceCase>& info) { return std::string(info.param.name); });

struct CursorCase {
    const char* name;
    int id;
    int hotX;
    int hotY;
};

class CursorFile : public testing::TestWithParam<CursorCase> {};

TEST_P(CursorFile, Is32By32MonochromeWithItsHotSpot)
{
    platform::SetModuleResources(res::ModuleResourceBlob());
    const auto images = ReadDirectory(platform::FindResourceData(ResourceType::Cursor, GetParam().id), 2);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].width, 32);
    EXPECT_EQ(images[0].height, 32);
    EXPECT_EQ(images[0].field4, GetParam().hotX);
    EXPECT_EQ(images[0].field6, GetParam().hotY);
    EXPECT_EQ(images[0].headerBits, 1);
    EXPECT_EQ(images[0].headerHeight, 64);
}

INSTANTIATE_TEST_SUITE_P(Cursors, CursorFile,
                         testing::Values(CursorCase{"Pipette", 1024, 9, 22}, CursorCase{"Bucket", 1026, 23, 17},
                                         CursorCase{"Swap", 1035, 21, 20}),
                         [](const testing::TestParamInfo<CursorCase>& info) { return std::string(info.param.name); });

TEST_F(ModuleResources, IconHasSixImagesAtThreeSizesAndTwoDepths)
{
    const auto images = ReadDirectory(platform::FindResourceData(ResourceType::Icon, res::IDI_APPLET), 1);
    ASSERT_EQ(images.size(), 6u);
    std::multiset<std::pair<int, int>> found;
    for (const DirectoryImage& image : images) {
        EXPECT_EQ(image.width, image.height);
        EXPECT_EQ(image.field6, image.headerBits);
        EXPECT_EQ(image.headerHeight, image.height * 2);
        found.insert({image.width, image.headerBits});
    }
    const std::multiset<std::pair<int, int>> expected = {{16, 4}, {32, 4}, {48, 4}, {16, 8}, {32, 8}, {48, 8}};
    EXPECT_EQ(found, expected);
}

struct VersionCase {
    const char* key;
    const char* value;
};

class VersionField : public testing::TestWithParam<VersionCase> {};

TEST_P(VersionField, HasItsValue)
{
    platform::SetModuleResources(res::ModuleResourceBlob());
    const auto text = platform::FindResourceData(ResourceType::Version, res::IDV_VERSION_INFO);
    const std::string lines(text.begin(), text.end());
    EXPECT_EQ(platform::FindVersionValue(lines, GetParam().key), std::string(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, VersionField,
    testing::Values(VersionCase{"FileDescription", "Change your windows logos to anything you want!"},
                    VersionCase{"FileVersion", "2, 0, 0, 0"}, VersionCase{"ProductVersion", "2.0"},
                    VersionCase{"InternalName", "lumva"}, VersionCase{"OriginalFilename", "lumva.cpl"},
                    VersionCase{"ProductName", "lumva Control Panel Extension"}, VersionCase{"Comments", "$"},
                    VersionCase{"CompanyName", "$"}, VersionCase{"LegalTrademarks", "$"},
                    VersionCase{"PrivateBuild", "$"}, VersionCase{"SpecialBuild", "$"},
                    VersionCase{"FILEVERSION", "2.0.0.0"}, VersionCase{"PRODUCTVERSION", "2.0.0.0"},
                    VersionCase{"FILEOS", "VOS__WINDOWS32"}, VersionCase{"FILETYPE", "VFT_DLL"}),
    [](const testing::TestParamInfo<VersionCase>& info) { return std::string(info.param.key); });

}  // namespace
