// lumva-logo export --plymouth shown by Debian's own plymouthd (its X11
// renderer on a virtual display): the frames it draws are the boot screen's
// frames, pixel for pixel, and they step.

#include "RunLogoTool.h"
#include "common/TempDir.h"
#include "export/ExportTestLogos.h"
#include "logo/BootScreen.h"
#include "platform/files/LogoFileWriter.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

namespace {

using testing_support::RunTool;
using testing_support::TempDir;

constexpr int kDisplayWidth = 1400;  // scale 2: a 1280 x 960 screen at (60, 20)
constexpr int kDisplayHeight = 1000;
constexpr std::uint8_t kCount = 21;

struct Ppm {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

std::optional<Ppm> ReadPpm(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    Ppm image;
    int maximum = 0;
    in >> magic >> image.width >> image.height >> maximum;
    in.get();
    if (magic != "P6" || maximum != 255 || image.width <= 0 || image.height <= 0)
        return std::nullopt;
    image.rgb.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3);
    in.read(reinterpret_cast<char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size()));
    return in ? std::optional<Ppm>(image) : std::nullopt;
}

// How many pixels of the grab differ from frame `frame` of the display as
// the theme must show it (the grab may miss the window's last column and row,
// which the window manager's border pushes off the display).
std::size_t Mismatches(const Ppm& grab, const logo::LogoImage& picture, unsigned frame)
{
    const int scale = 2;
    const int left = (kDisplayWidth - 640 * scale) / 2;
    const int top = (kDisplayHeight - 480 * scale) / 2;
    const logo::ColorTable table =
        logo::ThroughDac(logo::TableAfterTicks(export_testing::TableOf(picture), kCount, frame));
    const std::vector<std::uint8_t> screen = logo::ScaleToBootScreen(picture.pixels, scale);
    std::size_t mismatches = 0;
    for (int y = 0; y < grab.height; ++y) {
        for (int x = 0; x < grab.width; ++x) {
            const bool inside = x >= left && x < left + 640 * scale && y >= top && y < top + 480 * scale;
            const std::uint8_t index =
                inside ? screen[static_cast<std::size_t>((y - top) * 640 * scale + (x - left))] : 0;
            const std::uint8_t* shown = &grab.rgb[static_cast<std::size_t>((y * grab.width + x) * 3)];
            if (shown[0] != table[index].red || shown[1] != table[index].green || shown[2] != table[index].blue)
                ++mismatches;
        }
    }
    return mismatches;
}

TEST(PlymouthSplashTest, PlymouthdDrawsTheBootScreenFramesAndStepsThem)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "plymouthd runs in namespaces of its own here, which needs root (CI runs as root)";
    if (std::system("command -v plymouthd plymouth Xvfb openbox xwd xwdtopnm xwininfo unshare script "
                    ">/dev/null 2>&1") != 0)
        GTEST_SKIP() << "plymouth, plymouth-x11, xvfb, openbox, x11-apps or netpbm missing "
                        "(scripts/install-deps.sh installs them)";
    TempDir dir;
    const logo::LogoImage bar = export_testing::MakeBarLogo();
    ASSERT_TRUE(platform::WriteLogoFile(dir.File("logo.sys"), bar, export_testing::TableOf(bar), true, kCount));
    const auto exported = RunTool({"export", dir.File("logo.sys"), dir.File("lumivane-test"), "--plymouth"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_NE(exported.out.find("theme=lumivane-test frames=21"), std::string::npos) << exported.out;

    const std::string command = std::string(PLYMOUTH_SHOW) + " '" + dir.File("lumivane-test") + "' " +
                                std::to_string(kDisplayWidth) + "x" + std::to_string(kDisplayHeight) + " '" +
                                dir.File("grabs") + "' 2";
    ASSERT_EQ(std::system(command.c_str()), 0) << "plymouthd did not show the theme (see its messages above)";

    std::vector<unsigned> shownFrames;
    for (const char* name : {"grabs/grab-1.ppm", "grabs/grab-2.ppm"}) {
        const std::optional<Ppm> grab = ReadPpm(dir.File(name));
        ASSERT_TRUE(grab) << name;
        ASSERT_GE(grab->width, kDisplayWidth - 1);
        ASSERT_GE(grab->height, kDisplayHeight - 1);
        std::size_t fewest = grab->rgb.size();
        for (unsigned frame = 0; frame < kCount; ++frame) {
            const std::size_t mismatches = Mismatches(*grab, bar, frame);
            if (mismatches == 0)
                shownFrames.push_back(frame);
            fewest = std::min(fewest, mismatches);
        }
        ASSERT_EQ(fewest, 0u) << name << " is no frame of the boot screen";
    }
    ASSERT_EQ(shownFrames.size(), 2u);
    EXPECT_NE(shownFrames[0], shownFrames[1]) << "300 ms later the cycle has moved on";
}

}  // namespace
