// lumva-logo rotate: the gallery walked in name order or at random without
// a repeat, what is no logo named once, a memory per slot.

#include "RunLogoTool.h"
#include "TestGallery.h"
#include "common/ScopedEnv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace {

namespace fs = std::filesystem;
using testing_support::MakeGallery;
using testing_support::ReadAll;
using testing_support::RunTool;
using testing_support::TempDir;

class RotateCommandTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir_.File("drive/WINDOWS/SYSTEM")); }

    // The name of the gallery logo now in the slot's file.
    std::string InSlot(const std::string& file) const
    {
        const auto bytes = ReadAll(dir_.File("drive/" + file));
        for (const char* name : {"A.bmp", "b.bmp", "c.bmp"}) {
            if (ReadAll(gallery_ + "/" + name) == bytes)
                return name;
        }
        return "?";
    }

    TempDir dir_;
    testing_support::ScopedEnv config_{"XDG_CONFIG_HOME", dir_.File("config")};
    std::string gallery_ = MakeGallery(dir_, "gallery");
    std::string drive_ = "--drive=C:=" + dir_.File("drive");
};

TEST_F(RotateCommandTest, NextWalksTheGalleryInNameOrderAndNamesTheRestOnce)
{
    std::vector<std::string> chosen;
    for (int run = 0; run < 4; ++run) {
        const auto rotated = RunTool({"rotate", drive_, "--gallery", gallery_});
        ASSERT_EQ(rotated.status, 0) << rotated.err;
        chosen.push_back(InSlot("Logo.sys"));
        EXPECT_EQ(rotated.out, "C:\\Logo.sys: " + gallery_ + "/" + chosen.back() + "\n");
        EXPECT_EQ(rotated.err, "lumva-logo: skipped notes.txt: not a logo (not a BMP file: the signature is not \"BM\")\n"
                               "lumva-logo: skipped old: not a file\n")
            << "each once, in name order";
    }
    EXPECT_EQ(chosen, (std::vector<std::string>{"A.bmp", "b.bmp", "c.bmp", "A.bmp"}));

    // The shut-down slot keeps a memory of its own.
    ASSERT_EQ(RunTool({"rotate", drive_, "--gallery=" + gallery_, "--slot", "shutdown", "--next"}).status, 0);
    EXPECT_EQ(InSlot("WINDOWS/Logos.sys"), "A.bmp");
    ASSERT_EQ(RunTool({"rotate", drive_, "--gallery", gallery_}).status, 0);
    EXPECT_EQ(InSlot("Logo.sys"), "b.bmp");
}

TEST_F(RotateCommandTest, RandomNeverRepeatsThePreviousLogo)
{
    std::set<std::string> seen;
    std::string previous;
    for (int run = 0; run < 24; ++run) {
        ASSERT_EQ(RunTool({"rotate", drive_, "--gallery", gallery_, "--random"}).status, 0);
        const std::string now = InSlot("Logo.sys");
        EXPECT_NE(now, previous) << "run " << run;
        previous = now;
        seen.insert(now);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"A.bmp", "b.bmp", "c.bmp"}));
}

TEST_F(RotateCommandTest, RefusesAGalleryWithoutLogosAndBadUsage)
{
    fs::create_directories(dir_.File("empty"));
    std::ofstream(dir_.File("empty/readme.txt")) << "x";
    const auto empty = RunTool({"rotate", drive_, "--gallery", dir_.File("empty")});
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("holds no logo"), std::string::npos) << empty.err;
    EXPECT_FALSE(fs::exists(dir_.File("drive/Logo.sys")));
    EXPECT_EQ(RunTool({"rotate", drive_, "--gallery", dir_.File("missing")}).status, 1);
    EXPECT_EQ(RunTool({"rotate", drive_}).status, 2);
    EXPECT_EQ(RunTool({"rotate", drive_, "--gallery", gallery_, "--random", "--next"}).status, 2);
    EXPECT_EQ(RunTool({"rotate", drive_, "--gallery", gallery_, "--slot", "boot"}).status, 2);
}

}  // namespace
