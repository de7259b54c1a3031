// The blob format: packing, finding, and refusing damaged blobs without
// reading outside them.

#include "platform/modres/ResourceBlob.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using platform::PackResources;
using platform::ResourceBlob;
using platform::ResourceEntry;
using platform::ResourceType;

std::vector<std::uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> SampleBlob()
{
    return PackResources({
        {ResourceType::String, 1, Bytes("Lumivane")},
        {ResourceType::String, 2, Bytes("")},
        {ResourceType::Bitmap, 1006, {1, 2, 3, 4, 5}},
        {ResourceType::Icon, 1000, {9, 8, 7}},
    });
}

// Copies into a buffer of exactly the given size, so ASan catches a read past it.
std::unique_ptr<std::uint8_t[]> ExactCopy(const std::vector<std::uint8_t>& bytes, std::size_t size)
{
    auto copy = std::make_unique<std::uint8_t[]>(size);
    std::memcpy(copy.get(), bytes.data(), size);
    return copy;
}

void PutU32(std::vector<std::uint8_t>& blob, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        blob[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

TEST(ResourceBlob, RoundTripsEveryEntry)
{
    const std::vector<std::uint8_t> bytes = SampleBlob();
    const ResourceBlob blob(bytes);
    ASSERT_TRUE(blob.IsValid());
    EXPECT_EQ(blob.FindString(1), "Lumivane");
    const auto bitmap = blob.Find(ResourceType::Bitmap, 1006);
    EXPECT_EQ(std::vector<std::uint8_t>(bitmap.begin(), bitmap.end()), (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
    const auto icon = blob.Find(ResourceType::Icon, 1000);
    EXPECT_EQ(std::vector<std::uint8_t>(icon.begin(), icon.end()), (std::vector<std::uint8_t>{9, 8, 7}));
}

TEST(ResourceBlob, EmptyStringIsPresentButMissingIdIsNot)
{
    const std::vector<std::uint8_t> bytes = SampleBlob();
    const ResourceBlob blob(bytes);
    EXPECT_EQ(blob.FindString(2), std::string());
    EXPECT_FALSE(blob.FindString(3).has_value());
}

TEST(ResourceBlob, TypeAndIdMustBothMatch)
{
    const std::vector<std::uint8_t> bytes = SampleBlob();
    const ResourceBlob blob(bytes);
    EXPECT_TRUE(blob.Find(ResourceType::Cursor, 1006).empty());
    EXPECT_TRUE(blob.Find(ResourceType::Bitmap, 1000).empty());
    EXPECT_FALSE(blob.FindString(1006).has_value());
}

TEST(ResourceBlob, EmptyBlobHasNoEntries)
{
    const std::vector<std::uint8_t> bytes = PackResources({});
    const ResourceBlob blob(bytes);
    EXPECT_TRUE(blob.IsValid());
    EXPECT_TRUE(blob.Find(ResourceType::Bitmap, 1).empty());
}

TEST(ResourceBlob, TrailingPaddingIsAllowed)
{
    std::vector<std::uint8_t> bytes = SampleBlob();
    bytes.resize(bytes.size() + 32, 0);
    EXPECT_EQ(ResourceBlob(bytes).FindString(1), "Lumivane");
}

TEST(ResourceBlob, EveryTruncationIsRefused)
{
    const std::vector<std::uint8_t> bytes = SampleBlob();
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const auto copy = ExactCopy(bytes, size);
        const ResourceBlob blob(std::span<const std::uint8_t>(copy.get(), size));
        EXPECT_FALSE(blob.IsValid()) << "size " << size;
        EXPECT_TRUE(blob.Find(ResourceType::Icon, 1000).empty());
        EXPECT_FALSE(blob.FindString(1).has_value());
    }
}

struct Corruption {
    const char* name;
    std::size_t at;
    std::uint32_t value;
};

class CorruptBlob : public testing::TestWithParam<Corruption> {};

TEST_P(CorruptBlob, IsRefused)
{
    std::vector<std::uint8_t> bytes = SampleBlob();
    PutU32(bytes, GetParam().at, GetParam().value);
    const ResourceBlob blob(bytes);
    EXPECT_FALSE(blob.IsValid());
    EXPECT_TRUE(blob.Find(ResourceType::Bitmap, 1006).empty());
}

// Directory entry i starts at 16 + 12 i: type/id, offset (+4), size (+8).
INSTANTIATE_TEST_SUITE_P(
    Fields, CorruptBlob,
    testing::Values(Corruption{"BadMagic", 0, 0x12345678}, Corruption{"FutureVersion", 8, 2},
                    Corruption{"HugeEntryCount", 12, 0xFFFFFFFF}, Corruption{"CountBeyondDirectory", 12, 1000},
                    Corruption{"OffsetBeyondEnd", 16 + 12 * 2 + 4, 0xFFFFFFF0},
                    Corruption{"SizeBeyondEnd", 16 + 12 * 2 + 8, 0xFFFFFFFF},
                    Corruption{"OffsetPlusSizeWraps", 16 + 12 * 3 + 8, 0xFFFFFFFE}),
    [](const testing::TestParamInfo<Corruption>& info) { return std::string(info.param.name); });

TEST(VersionValue, FindsKeysAndOnlyWholeKeys)
{
    const std::string text = "FileVersion=2, 0, 0, 0\nProductVersion=2.0\nFILEOS=VOS__WINDOWS32\n";
    EXPECT_EQ(platform::FindVersionValue(text, "FileVersion"), "2, 0, 0, 0");
    EXPECT_EQ(platform::FindVersionValue(text, "FILEOS"), "VOS__WINDOWS32");
    EXPECT_FALSE(platform::FindVersionValue(text, "Product").has_value());
    EXPECT_FALSE(platform::FindVersionValue("", "FileVersion").has_value());
}

}  // namespace
