// Whole files read through kernel32 for the decoders: the size limit holds
// to the byte, and what is no regular file is told apart from what is absent.

#include "platform/win32/files/WholeFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

using platform::win32::ReadWholeFile;
using platform::win32::WholeFileError;

TEST(Win32WholeFile, ReadsEveryByteUpToTheLimit)
{
    win32_test::TempFolder folder;
    const std::string bytes = std::string("\0\x01\xff text", 8) + std::string(3 * 1024 * 1024, 'x');
    ASSERT_TRUE(win32_test::WriteBytes(folder.File("data.bin"), bytes));
    const auto exact = ReadWholeFile(folder.File("data.bin"), bytes.size());
    ASSERT_TRUE(exact);
    EXPECT_EQ(std::string(exact.bytes.begin(), exact.bytes.end()), bytes);
    EXPECT_EQ(ReadWholeFile(folder.File("data.bin"), bytes.size() - 1).error, WholeFileError::TooLarge);
}

TEST(Win32WholeFile, AnEmptyFileIsReadAsNoBytes)
{
    win32_test::TempFolder folder;
    ASSERT_TRUE(win32_test::WriteBytes(folder.File("empty"), std::string()));
    const auto empty = ReadWholeFile(folder.File("empty"), 0);
    EXPECT_TRUE(empty);
    EXPECT_TRUE(empty.bytes.empty());
}

TEST(Win32WholeFile, AbsentFoldersAndUnusableNamesAreTold)
{
    win32_test::TempFolder folder;
    EXPECT_EQ(ReadWholeFile(folder.File("absent"), 100).error, WholeFileError::NotFound);
    EXPECT_EQ(ReadWholeFile(folder.Path(), 100).error, WholeFileError::NotAFile);
    EXPECT_EQ(ReadWholeFile("", 100).error, WholeFileError::NotFound);
    EXPECT_EQ(ReadWholeFile(std::string("a\0b", 3), 100).error, WholeFileError::NotFound);
    EXPECT_EQ(ReadWholeFile(std::string(MAX_PATH + 10, 'a'), 100).error, WholeFileError::NotFound);
}

}  // namespace
