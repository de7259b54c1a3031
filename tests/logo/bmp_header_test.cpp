// What the reader answers from headers alone, and what it refuses to open.

#include "common/BmpBuilder.h"
#include "common/TestFiles.h"
#include "logo/BmpReader.h"
#include "logo/LogoFile.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#endif

namespace {

using testing_support::TempDir;
using testing_support::WriteAll;

// A 64-byte RLE8 file: headers, a one-entry table and an end-of-bitmap
// marker, whatever size its header claims.
std::vector<std::uint8_t> TinyRle8(std::int32_t width, std::int32_t height)
{
    testing_support::BmpParts parts;
    parts.width = width;
    parts.height = height;
    parts.compression = 1;
    parts.clrUsed = 1;
    parts.table = {logo::RgbQuad{0, 0, 0, 0}};
    parts.pixelData = {0, 1, 0, 0, 0, 0};
    return testing_support::BuildBmp(parts);
}

TEST(BmpHeaderQuery, GivesTheFactsOfTheHeaders)
{
    TempDir dir;
    WriteAll(dir.File("big.bmp"), TinyRle8(3000, 2000));
    const logo::HeaderResult read = logo::ReadBmpFileHeader(dir.File("big.bmp"));
    ASSERT_TRUE(read) << read.error.reason;
    EXPECT_EQ(read.header->width, 3000);
    EXPECT_EQ(read.header->height, 2000);
    EXPECT_EQ(read.header->bitsPerPixel, 8);
    EXPECT_EQ(read.header->compression, 1u);
    EXPECT_EQ(read.header->headerSize, 40u);
    EXPECT_EQ(read.header->dataOffset, 58u);
    EXPECT_EQ(read.header->fileSize, 64u);
    EXPECT_FALSE(read.header->topDown);
}

// The animation marker lives in biClrImportant; the logo check reads it here.
TEST(BmpHeaderQuery, GivesTheColourCountsAsWritten)
{
    std::vector<std::uint8_t> file = TinyRle8(4, 2);
    testing_support::Put32(file, 50, 0x1fe);
    const logo::HeaderResult read = logo::ReadBmpHeader(file, file.size());
    ASSERT_TRUE(read) << read.error.reason;
    EXPECT_EQ(read.header->colorsUsed, 1u);
    EXPECT_EQ(read.header->colorsImportant, 0x1feu);
}

TEST(BmpHeaderQuery, ALogoInAnotherVariantIsALogoButNotTheExactLayout)
{
    TempDir dir;
    WriteAll(dir.File("rle.bmp"), TinyRle8(320, 400));
    EXPECT_TRUE(logo::IsLogoFile(dir.File("rle.bmp")));
    EXPECT_FALSE(logo::HasExactLogoLayout(dir.File("rle.bmp")));
}

TEST(BmpDecodeLimit, ATinyFileCannotAskForMorePixelsThanAnyPictureShown)
{
    // 3000 x 2000 would be 6 MB of pixels cleared before the stream is read.
    const logo::LoadResult decoded = logo::DecodeBmp(TinyRle8(3000, 2000));
    ASSERT_FALSE(decoded);
    EXPECT_EQ(decoded.error.kind, logo::LoadErrorKind::TooLarge);
    EXPECT_NE(decoded.error.reason.find("3000 x 2000 is beyond the limit of"), std::string::npos)
        << decoded.error.reason;
    // A full-screen picture stays well inside.
    EXPECT_TRUE(logo::DecodeBmp(TinyRle8(1600, 1200)));
}

#ifndef _WIN32
// Windows has no FIFOs at a path; the Win32 build of these tests leaves this out.

// A FIFO at a picture's path must not block: a reader that opened it would
// wait for a writer, so one is offered after a while and the time is checked.
class NonRegularFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(mkfifo(fifo_.c_str(), 0600), 0); }

    template <typename Read>
    void ExpectPromptRefusal(Read read)
    {
        std::atomic<bool> done{false};
        std::thread rescuer([&] {
            const auto start = std::chrono::steady_clock::now();
            while (!done && std::chrono::steady_clock::now() - start < std::chrono::seconds(2))
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (done)
                return;
            const int fd = open(fifo_.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                close(fd);
        });
        const auto start = std::chrono::steady_clock::now();
        const bool accepted = read();
        const auto elapsed = std::chrono::steady_clock::now() - start;
        done = true;
        rescuer.join();
        EXPECT_FALSE(accepted);
        EXPECT_LT(elapsed, std::chrono::seconds(1));
    }

    TempDir dir_;
    std::string fifo_ = dir_.File("LOGO.SYS");
};

TEST_F(NonRegularFile, EveryReaderRefusesAFifoWithoutWaiting)
{
    ExpectPromptRefusal([&] { return logo::LoadBmpFile(fifo_).picture.has_value(); });
    ExpectPromptRefusal([&] { return logo::ReadBmpFileHeader(fifo_).header.has_value(); });
    ExpectPromptRefusal([&] { return logo::IsLogoFile(fifo_); });
    ExpectPromptRefusal([&] { return logo::HasExactLogoLayout(fifo_); });
    ExpectPromptRefusal([&] {
        std::uint8_t count = 0;
        return logo::ReadAnimationCount(fifo_, count);
    });
}

TEST_F(NonRegularFile, TheReasonSaysWhatIsWrong)
{
    const logo::LoadResult loaded = logo::LoadBmpFile(fifo_);
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.error.kind, logo::LoadErrorKind::Io);
    EXPECT_EQ(loaded.error.reason, fifo_ + " is not a regular file");
}
#endif

}  // namespace
