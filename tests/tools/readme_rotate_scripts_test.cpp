// The README's libvirt hook, QEMU and 86Box launchers and systemd user unit
// for lumva-logo rotate, run as they stand there against drives and
// galleries of their own, with the built lumva-logo first on PATH.

#include "RunLogoTool.h"
#include "TestGallery.h"
#include "common/FatImages.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

namespace {

namespace fs = std::filesystem;
using testing_support::MakeGallery;
using testing_support::Quoted;
using testing_support::ReadAll;
using testing_support::RunTool;
using testing_support::Shell;
using testing_support::TempDir;

// The fenced block of README.md that starts with `firstLines`.
std::string ReadmeBlock(const std::string& firstLines)
{
    const auto bytes = ReadAll(README_PATH);
    const std::string readme(bytes.begin(), bytes.end());
    const std::size_t start = readme.find("\n" + firstLines);
    if (start == std::string::npos)
        return {};
    const std::size_t end = readme.find("\n```", start + 1);
    return readme.substr(start + 1, end - start);
}

bool IsGalleryLogo(const std::vector<std::uint8_t>& bytes, const std::string& gallery)
{
    return bytes == ReadAll(gallery + "/A.bmp") || bytes == ReadAll(gallery + "/b.bmp") ||
           bytes == ReadAll(gallery + "/c.bmp");
}

class RotateScriptsInReadme : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testing_support::HasImageTools())
            GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
        // A start-up logo that is in no gallery.
        testing_support::WriteTestLogo(dir_.File("first.bmp"), 99);
        ASSERT_TRUE(testing_support::MakeFatVolume(dir_.File("win98.img"), 16, 16384, dir_.File("first.bmp")));
    }

    // Runs a script from the README in a home folder of the test's own.
    int Run(const std::string& script, const std::string& environment, const std::string& arguments = {}) const
    {
        const std::string file = dir_.File("script.sh");
        std::ofstream(file) << script;
        ::chmod(file.c_str(), 0755);
        const std::string tool = fs::path(LUMVA_LOGO_PATH).parent_path().string();
        const std::string command = "HOME=" + Quoted(dir_.Path().string()) + " XDG_CONFIG_HOME=" +
                                    Quoted(dir_.File("config")) + " XDG_CACHE_HOME=" + Quoted(dir_.File("cache")) +
                                    " PATH=" + Quoted(tool) + ":\"$PATH\" " + environment + " " + Quoted(file) +
                                    " " + arguments + " >/dev/null 2>&1";
        return std::system(command.c_str());
    }

    // The start-up logo inside an image, as mtools reads it.
    std::vector<std::uint8_t> StartUpIn(const std::string& image) const
    {
        const std::string out = dir_.File("startup.out");
        Shell("rm -f " + Quoted(out) + "; mcopy -i " + Quoted(image) + " ::/LOGO.SYS " + Quoted(out));
        return ReadAll(out);
    }

    std::string Recorded() const
    {
        const auto bytes = ReadAll(dir_.File("started"));
        return std::string(bytes.begin(), bytes.end());
    }

    // The emulator's stand-in: records how it was started.
    std::string Emulator() const
    {
        const std::string emulator = dir_.File("emulator.sh");
        std::ofstream(emulator) << "#!/bin/sh\necho \"$@\" > " << Quoted(dir_.File("started")) << "\n";
        ::chmod(emulator.c_str(), 0755);
        return emulator;
    }

    TempDir dir_;
};

TEST_F(RotateScriptsInReadme, LibvirtHookRotatesOnlyBeforeTheGuestStarts)
{
    const std::string hook = ReadmeBlock("#!/bin/sh\n# /etc/libvirt/hooks/qemu");
    ASSERT_FALSE(hook.empty()) << "the README shows the libvirt hook";
    const std::string gallery = MakeGallery(dir_, "hook-logos");
    const std::string image = dir_.File("win98.img");
    const std::string environment = "DISK=" + Quoted(image) + " GALLERY=" + Quoted(gallery);
    const auto before = StartUpIn(image);
    ASSERT_EQ(Run(hook, environment, "win98 started begin -"), 0);
    EXPECT_EQ(StartUpIn(image), before) << "only prepare begin rotates";
    ASSERT_EQ(Run(hook, environment, "win98 prepare begin -"), 0);
    EXPECT_TRUE(IsGalleryLogo(StartUpIn(image), gallery));
    EXPECT_EQ(Run(hook, "DISK=/nonexistent.img GALLERY=" + Quoted(gallery), "win98 prepare begin -"), 0)
        << "a failed rotation never stops the guest";
}

TEST_F(RotateScriptsInReadme, LaunchersRotateThenStartTheMachine)
{
    const std::string qemu = ReadmeBlock("#!/bin/sh\n# win98.sh");
    const std::string box = ReadmeBlock("#!/bin/sh\n# win98-86box.sh");
    ASSERT_FALSE(qemu.empty());
    ASSERT_FALSE(box.empty());
    const std::string image = dir_.File("win98.img");
    fs::create_directories(dir_.File("86Box/win98"));
    const std::string vhd = dir_.File("86Box/win98/win98.vhd");
    ASSERT_TRUE(testing_support::ConvertImage(image, vhd, "vpc", "subformat=fixed"));

    const std::string gallery = MakeGallery(dir_, "vm/logos");
    ASSERT_EQ(Run(qemu, "DISK=" + Quoted(image) + " QEMU=" + Quoted(Emulator()), "-vga std"), 0);
    EXPECT_EQ(StartUpIn(image), ReadAll(gallery + "/A.bmp"));
    EXPECT_EQ(Recorded(), "-m 64 -hda " + image + " -vga std\n");

    const std::string boxGallery = MakeGallery(dir_, "86Box/logos");
    ASSERT_EQ(Run(box, "EMULATOR=" + Quoted(Emulator())), 0);
    EXPECT_EQ(Recorded(), "-P " + dir_.File("86Box/win98") + "\n");
    ASSERT_EQ(RunTool({"save", "--drive=C:=" + vhd, "startup", dir_.File("from-vhd.bmp")}).status, 0);
    EXPECT_EQ(ReadAll(dir_.File("from-vhd.bmp")), ReadAll(boxGallery + "/A.bmp"));
}

TEST_F(RotateScriptsInReadme, SystemdUserUnitRotatesTheWinePrefix)
{
    const std::string unit = ReadmeBlock("# ~/.config/systemd/user/lumivane-rotate.service");
    std::smatch execStart;
    ASSERT_TRUE(std::regex_search(unit, execStart, std::regex("\nExecStart=([^\n]+)\n"))) << unit;
    // systemd puts the home folder for %h and finds the program on its PATH.
    const std::string command = std::regex_replace(execStart[1].str(), std::regex("%h"), dir_.Path().string());
    fs::create_directories(dir_.File(".wine/drive_c/windows/system32"));
    const std::string gallery = MakeGallery(dir_, "Pictures/win98-logos");
    ASSERT_EQ(Run("#!/bin/sh\n" + command + "\n", ""), 0) << command;
    EXPECT_TRUE(IsGalleryLogo(ReadAll(dir_.File(".wine/drive_c/Logo.sys")), gallery));
}

}  // namespace
