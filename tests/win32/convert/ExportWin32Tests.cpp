// Export in the Win32 build: GIF, WebP and PNG refuse with a reason the
// export prompt shows and write nothing; the frames they would be made from
// are built as on Linux.

#include "export/AnimationFrames.h"
#include "export/GifExport.h"
#include "export/PngExport.h"
#include "export/WebpExport.h"
#include "logo/Picture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

std::string TemporaryPath(const char* name)
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(sizeof folder, folder);
    return std::string(folder) + name;
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

exporting::AnimationFrames Frames()
{
    logo::LogoImage logo = logo::MakeBlankLogo();
    logo::ColorTable table{};
    std::copy(logo.colorTable.begin(), logo.colorTable.end(), table.begin());
    return exporting::BuildAnimationFrames(logo, table, 4, false);
}

TEST(Win32Export, EveryFormatRefusesAndNamesItself)
{
    const exporting::AnimationFrames frames = Frames();
    ASSERT_EQ(frames.tables.size(), 4u);
    const std::string gif = TemporaryPath("lumivane-export-test.gif");
    const std::string webp = TemporaryPath("lumivane-export-test.webp");
    const std::string png = TemporaryPath("lumivane-export-test.png");

    const exporting::ExportResult gifResult = exporting::ExportGif(gif, frames);
    const exporting::ExportResult webpResult = exporting::ExportWebp(webp, frames);
    const exporting::ExportResult pngResult = exporting::ExportPng(png, exporting::FrameImage(frames, 0));
    EXPECT_FALSE(gifResult);
    EXPECT_FALSE(webpResult);
    EXPECT_FALSE(pngResult);
    EXPECT_EQ(gifResult.reason, "exporting as GIF is not available in this build of Lumivane");
    EXPECT_EQ(webpResult.reason, "exporting as WebP is not available in this build of Lumivane");
    EXPECT_EQ(pngResult.reason, "exporting as PNG is not available in this build of Lumivane");
    EXPECT_FALSE(Exists(gif));
    EXPECT_FALSE(Exists(webp));
    EXPECT_FALSE(Exists(png));
}

TEST(Win32Export, EncodersGiveNoBytesAndTheReason)
{
    const exporting::AnimationFrames frames = Frames();
    std::string error;
    EXPECT_TRUE(exporting::EncodeGif(frames, error).empty());
    EXPECT_NE(error.find("GIF"), std::string::npos);
    error.clear();
    EXPECT_TRUE(exporting::EncodeWebp(frames, error).empty());
    EXPECT_NE(error.find("WebP"), std::string::npos);
    error.clear();
    EXPECT_TRUE(exporting::EncodePng(exporting::FrameImage(frames, 0), error).empty());
    EXPECT_NE(error.find("PNG"), std::string::npos);
}

TEST(Win32Export, GifDelaysRoundAsOnLinux)
{
    EXPECT_EQ(exporting::GifDelayCentiseconds(100), 10);
    EXPECT_EQ(exporting::GifDelayCentiseconds(104), 10);
    EXPECT_EQ(exporting::GifDelayCentiseconds(105), 11);
    EXPECT_EQ(exporting::GifDelayCentiseconds(0), 1);
    EXPECT_EQ(exporting::GifDelayCentiseconds(10'000'000), 65535);
}

}  // namespace
