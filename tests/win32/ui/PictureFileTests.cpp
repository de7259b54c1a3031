// The Win32 picture decoder on files: read through kernel32, the format
// decided by the bytes, not the name; files that cannot be pictures refused
// with the reason why.

#include "TestPictures.h"

#include "platform/ui/PictureDecoder.h"
#include "tests/win32/platform/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using platform::DecodedPicture;
using platform::PictureError;

std::string AsText(const lumivane::test::Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

TEST(Win32PictureFile, ALogoNamedSysIsReadAsTheBmpItIs)
{
    win32_test::TempFolder folder;
    const lumivane::test::TestRgba source = lumivane::test::Gradient(6, 4);
    ASSERT_TRUE(win32_test::WriteBytes(folder.File("LOGO.SYS"), AsText(lumivane::test::EncodeBmp(source))));
    const DecodedPicture decoded = platform::DecodePictureFile(folder.File("logo.sys"));
    ASSERT_TRUE(decoded) << decoded.reason;
    EXPECT_EQ(decoded.picture->width, 6);
    EXPECT_EQ(decoded.picture->height, 4);
}

TEST(Win32PictureFile, APngFileDecodesLikeItsBytes)
{
    win32_test::TempFolder folder;
    const lumivane::test::TestRgba source = lumivane::test::Gradient(3, 5);
    ASSERT_TRUE(win32_test::WriteBytes(folder.File("picture.png"), AsText(lumivane::test::EncodePng(source))));
    const DecodedPicture decoded = platform::DecodePictureFile(folder.File("picture.png"));
    ASSERT_TRUE(decoded) << decoded.reason;
    EXPECT_EQ(decoded.picture->rgba, source.rgba);
}

TEST(Win32PictureFile, TheCapHoldsForFilesToo)
{
    win32_test::TempFolder folder;
    ASSERT_TRUE(win32_test::WriteBytes(folder.File("big.png"), AsText(lumivane::test::PngHeaderOnly(50000, 50000))));
    const DecodedPicture decoded = platform::DecodePictureFile(folder.File("big.png"));
    EXPECT_EQ(decoded.error, PictureError::TooLarge);
}

TEST(Win32PictureFile, MissingFilesAndFoldersAreUnreadable)
{
    win32_test::TempFolder folder;
    const DecodedPicture missing = platform::DecodePictureFile(folder.File("absent.png"));
    EXPECT_EQ(missing.error, PictureError::Unreadable);
    EXPECT_EQ(missing.reason, "the file cannot be opened");

    const DecodedPicture directory = platform::DecodePictureFile(folder.Path());
    EXPECT_EQ(directory.error, PictureError::Unreadable);
    EXPECT_EQ(directory.reason, "the file is not a regular file");

    const DecodedPicture empty = platform::DecodePictureFile("");
    EXPECT_EQ(empty.error, PictureError::Unreadable);
}

TEST(Win32PictureFile, AnEmptyFileIsNoPicture)
{
    win32_test::TempFolder folder;
    ASSERT_TRUE(win32_test::WriteBytes(folder.File("empty.bmp"), std::string()));
    const DecodedPicture decoded = platform::DecodePictureFile(folder.File("empty.bmp"));
    EXPECT_EQ(decoded.error, PictureError::Unsupported);
}

}  // namespace
