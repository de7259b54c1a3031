// Cursors: .cur decoding, loading from the module's resources, SetCursor and
// the wait cursor as they show on the application.

#include "platform/modres/ModuleResources.h"
#include "platform/modres/ResourceBlob.h"
#include "platform/ui/CursorFile.h"
#include "platform/qt/CursorRegistry.h"
#include "platform/ui/Cursors.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

using platform::CursorPixel;

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::size_t at, std::uint32_t v)
{
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(Bytes& out, std::size_t at, std::uint32_t v)
{
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

// A one-image monochrome .cur laid out as Windows writes it.
Bytes MakeCursorFile(int width, int height, int hotX, int hotY, const std::function<CursorPixel(int, int)>& pixel)
{
    const std::size_t stride = static_cast<std::size_t>((width + 31) / 32) * 4;
    const std::size_t imageSize = 40 + 8 + 2 * stride * static_cast<std::size_t>(height);
    Bytes out(22 + imageSize, 0);
    Put16(out, 2, 2);  // cursor
    Put16(out, 4, 1);  // one image
    out[6] = static_cast<std::uint8_t>(width);
    out[7] = static_cast<std::uint8_t>(height);
    Put16(out, 10, static_cast<std::uint32_t>(hotX));
    Put16(out, 12, static_cast<std::uint32_t>(hotY));
    Put32(out, 14, static_cast<std::uint32_t>(imageSize));
    Put32(out, 18, 22);
    const std::size_t image = 22;
    Put32(out, image, 40);
    Put32(out, image + 4, static_cast<std::uint32_t>(width));
    Put32(out, image + 8, static_cast<std::uint32_t>(2 * height));
    Put16(out, image + 12, 1);
    Put16(out, image + 14, 1);
    // palette: black, white
    out[image + 44] = out[image + 45] = out[image + 46] = 0xFF;
    const std::size_t xorAt = image + 48;
    const std::size_t andAt = xorAt + stride * static_cast<std::size_t>(height);
    for (int y = 0; y < height; ++y) {
        const std::size_t row = static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const CursorPixel p = pixel(x, y);
            const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            const std::size_t byte = row + static_cast<std::size_t>(x / 8);
            if (p == CursorPixel::White || p == CursorPixel::Inverted)
                out[xorAt + byte] |= bit;
            if (p == CursorPixel::Transparent || p == CursorPixel::Inverted)
                out[andAt + byte] |= bit;
        }
    }
    return out;
}

// Top-left black, a white row below, an inverted pixel, the rest transparent.
CursorPixel Pattern(int x, int y)
{
    if (x == 0 && y == 0)
        return CursorPixel::Black;
    if (y == 1)
        return CursorPixel::White;
    if (x == 31 && y == 31)
        return CursorPixel::Inverted;
    return CursorPixel::Transparent;
}

TEST(CursorFile, DecodesSizeHotSpotAndPixelsTopDown)
{
    const auto image = platform::DecodeCursorFile(MakeCursorFile(32, 32, 9, 22, Pattern));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->height, 32);
    EXPECT_EQ(image->hotX, 9);
    EXPECT_EQ(image->hotY, 22);
    EXPECT_EQ(image->At(0, 0), CursorPixel::Black);
    EXPECT_EQ(image->At(1, 0), CursorPixel::Transparent);
    EXPECT_EQ(image->At(17, 1), CursorPixel::White);
    EXPECT_EQ(image->At(31, 31), CursorPixel::Inverted);
    EXPECT_EQ(image->At(5, 20), CursorPixel::Transparent);
}

TEST(CursorFile, OddWidthsUsePaddedRows)
{
    const auto image = platform::DecodeCursorFile(
        MakeCursorFile(17, 5, 0, 0, [](int x, int y) { return x == 16 && y == 4 ? CursorPixel::Black : CursorPixel::Transparent; }));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 17);
    EXPECT_EQ(image->At(16, 4), CursorPixel::Black);
    EXPECT_EQ(image->At(15, 4), CursorPixel::Transparent);
}

TEST(CursorFile, HotSpotOutsideTheImageMovesToTheEdge)
{
    const auto image = platform::DecodeCursorFile(MakeCursorFile(32, 32, 40, 300, Pattern));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->hotX, 31);
    EXPECT_EQ(image->hotY, 31);
}

struct BadCursor {
    const char* name;
    std::function<void(Bytes&)> damage;
};

void PrintTo(const BadCursor& c, std::ostream* os)
{
    *os << c.name;
}

class BadCursorFileTest : public testing::TestWithParam<BadCursor> {};

TEST_P(BadCursorFileTest, IsRefused)
{
    Bytes bytes = MakeCursorFile(32, 32, 1, 1, Pattern);
    GetParam().damage(bytes);
    EXPECT_FALSE(platform::DecodeCursorFile(bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Damage, BadCursorFileTest,
    testing::Values(
        BadCursor{"Empty", [](Bytes& b) { b.clear(); }},
        BadCursor{"IconNotCursor", [](Bytes& b) { b[2] = 1; }},
        BadCursor{"NoImages", [](Bytes& b) { b[4] = 0; }},
        BadCursor{"TruncatedMasks", [](Bytes& b) { b.resize(b.size() - 1); }},
        BadCursor{"TruncatedDirectory", [](Bytes& b) { b.resize(12); }},
        BadCursor{"OffsetBeyondTheFile", [](Bytes& b) { Put32(b, 18, 0x7FFFFFF0); }},
        BadCursor{"SizeBeyondTheFile", [](Bytes& b) { Put32(b, 14, 0xFFFFFFFF); }},
        BadCursor{"FourBitsPerPixel", [](Bytes& b) { b[22 + 14] = 4; }},
        BadCursor{"Compressed", [](Bytes& b) { b[22 + 16] = 1; }},
        BadCursor{"ZeroWidth", [](Bytes& b) { Put32(b, 22 + 4, 0); }},
        BadCursor{"HugeWidth", [](Bytes& b) { Put32(b, 22 + 4, 100000); }},
        BadCursor{"NegativeHeight", [](Bytes& b) { Put32(b, 22 + 8, static_cast<std::uint32_t>(-64)); }},
        BadCursor{"HeaderSizeBeyondTheImage", [](Bytes& b) { Put32(b, 22, 0x10000); }}),
    [](const testing::TestParamInfo<BadCursor>& info) { return std::string(info.param.name); });

TEST(CursorRegistry, QtCursorCarriesMasksAndHotSpot)
{
    const auto image = platform::DecodeCursorFile(MakeCursorFile(32, 32, 23, 17, Pattern));
    ASSERT_TRUE(image);
    const QCursor cursor = platform::MakeQtCursor(*image);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(23, 17));
    const QImage bits = cursor.bitmap().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage mask = cursor.mask().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(bits.size(), QSize(32, 32));
    // Qt: bitmap set + mask set = black; clear + set = white; clear + clear =
    // transparent; set + clear = inverted.
    const auto set = [](const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 128; };
    EXPECT_TRUE(set(bits, 0, 0) && set(mask, 0, 0));
    EXPECT_TRUE(!set(bits, 4, 1) && set(mask, 4, 1));
    EXPECT_TRUE(!set(bits, 4, 4) && !set(mask, 4, 4));
    EXPECT_TRUE(set(bits, 31, 31) && !set(mask, 31, 31));
}

class CursorsTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_pipette = MakeCursorFile(32, 32, 9, 22, Pattern);
        m_bucket = MakeCursorFile(32, 32, 23, 17, Pattern);
        m_blob = platform::PackResources({{platform::ResourceType::Cursor, 1024, m_pipette},
                                          {platform::ResourceType::Cursor, 1026, m_bucket},
                                          {platform::ResourceType::Cursor, 1099, Bytes{1, 2, 3}}});
        platform::SetModuleResources(m_blob);
        m_before = platform::SetCursor(nullptr);
    }
    void TearDown() override
    {
        platform::SetCursor(m_before);
        platform::SetModuleResources({});
    }

    Bytes m_pipette;
    Bytes m_bucket;
    Bytes m_blob;
    HCURSOR m_before = nullptr;
};

TEST_F(CursorsTest, LoadsCursorResourcesById)
{
    const HCURSOR pipette = platform::LoadCursorA(1024);
    ASSERT_NE(pipette, nullptr);
    EXPECT_EQ(platform::LoadCursorA(1024), pipette);
    const auto info = platform::DescribeCursor(pipette);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->resourceId, 1024);
    EXPECT_FALSE(info->standard);
    EXPECT_EQ(info->width, 32);
    EXPECT_EQ(info->height, 32);
    EXPECT_EQ(info->hotX, 9);
    EXPECT_EQ(info->hotY, 22);
    EXPECT_NE(platform::LoadCursorA(1026), pipette);
}

TEST_F(CursorsTest, MissingOrBrokenResourcesGiveNoCursor)
{
    EXPECT_EQ(platform::LoadCursorA(4242), nullptr);
    EXPECT_EQ(platform::LoadCursorA(1099), nullptr);
}

TEST_F(CursorsTest, StandardCursors)
{
    const HCURSOR arrow = platform::LoadCursorA(platform::IDC_ARROW);
    const HCURSOR wait = platform::LoadCursorA(platform::IDC_WAIT);
    ASSERT_NE(arrow, nullptr);
    ASSERT_NE(wait, nullptr);
    EXPECT_NE(arrow, wait);
    EXPECT_TRUE(platform::DescribeCursor(arrow)->standard);
    EXPECT_EQ(platform::DescribeCursor(wait)->resourceId, platform::IDC_WAIT);
}

TEST_F(CursorsTest, SetCursorReturnsThePreviousAndShowsOnTheApplication)
{
    const HCURSOR pipette = platform::LoadCursorA(1024);
    const HCURSOR swap = platform::LoadCursorA(1026);
    EXPECT_EQ(platform::SetCursor(pipette), nullptr);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->hotSpot(), QPoint(9, 22));

    EXPECT_EQ(platform::SetCursor(swap), pipette);
    EXPECT_EQ(platform::GetCursor(), swap);
    EXPECT_EQ(QGuiApplication::overrideCursor()->hotSpot(), QPoint(23, 17));

    EXPECT_EQ(platform::SetCursor(pipette), swap);
    EXPECT_EQ(platform::SetCursor(nullptr), pipette);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(CursorsTest, AHandleNotMadeHereCountsAsNone)
{
    platform::SetCursor(platform::LoadCursorA(1024));
    int unrelated = 0;
    platform::SetCursor(reinterpret_cast<HCURSOR>(&unrelated));
    EXPECT_EQ(platform::GetCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(CursorsTest, WaitCursorNestsOverTheSetCursor)
{
    const HCURSOR pipette = platform::LoadCursorA(1024);
    const HCURSOR wait = platform::LoadCursorA(platform::IDC_WAIT);
    platform::SetCursor(pipette);

    platform::BeginWaitCursor();
    platform::BeginWaitCursor();
    EXPECT_EQ(platform::ShownCursor(), wait);
    EXPECT_EQ(platform::GetCursor(), pipette);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);

    platform::EndWaitCursor();
    EXPECT_EQ(platform::ShownCursor(), wait);
    platform::EndWaitCursor();
    EXPECT_EQ(platform::ShownCursor(), pipette);
    EXPECT_EQ(QGuiApplication::overrideCursor()->hotSpot(), QPoint(9, 22));

    platform::EndWaitCursor();  // unmatched: nothing happens
    EXPECT_EQ(platform::ShownCursor(), pipette);
}

TEST_F(CursorsTest, WaitCursorWithNoCursorSetLeavesNothingBehind)
{
    platform::BeginWaitCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform::EndWaitCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
