// The main dialog on a screen of two device pixels a pixel (QT_SCALE_FACTOR=2):
// twice the size, every control edge on its doubled rectangle and as crisp
// as at 1x, the preview scaled by whole pixels. Each scale is a screenshot of
// the real module on the same drive, which holds no logo, so nothing moves
// between the two pictures.

#include "HostProcess.h"
#include "common/TempDir.h"

#include "platform/WinTypes.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

namespace fs = std::filesystem;
using host_test::HostRun;
using host_test::RunLumivane;
using testing_support::TempDir;

#ifdef LUMVA_CPL_BUILT

// Dialog units to pixels with the fixed base units 6 x 13, rounded as MulDiv.
int ToPixels(int dlu, int base, int divisor)
{
    return (dlu * base + divisor / 2) / divisor;
}

struct PixelRect {
    int left, top, width, height;
};

PixelRect ControlRect(const platform::ControlTemplate& control)
{
    return {ToPixels(control.x, 6, 4), ToPixels(control.y, 13, 8), ToPixels(control.cx, 6, 4),
            ToPixels(control.cy, 13, 8)};
}

class MainDialogAtTwiceTheScale : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_home = new TempDir;
        fs::create_directories(s_home->Path() / "drive");
        s_single = Capture("1");
        s_double = Capture("2");
    }
    static void TearDownTestSuite()
    {
        delete s_home;
        s_home = nullptr;
    }

    static QImage Capture(const std::string& scale)
    {
        const fs::path png = s_home->Path() / ("main-" + scale + "x.png");
        const HostRun run = RunLumivane({"--drive", "C:=" + (s_home->Path() / "drive").string(), "--screenshot",
                                         png.string()},
                                        {{"XDG_DATA_HOME", (s_home->Path() / "data").string()},
                                         {"XDG_CONFIG_HOME", (s_home->Path() / "config").string()},
                                         {"QT_QPA_PLATFORM", "offscreen"},
                                         {"QT_SCALE_FACTOR", scale}});
        EXPECT_EQ(run.status, 0) << run.err;
        return QImage(QString::fromStdString(png.string())).convertToFormat(QImage::Format_RGB32);
    }

    // Device pixels of the 2x picture that differ from the 1x pixel they
    // double, within the band of `depth` logical pixels inside the rectangle.
    static int RingDifferences(const PixelRect& r, int depth)
    {
        int differences = 0;
        for (int y = 2 * r.top; y < 2 * (r.top + r.height); ++y) {
            for (int x = 2 * r.left; x < 2 * (r.left + r.width); ++x) {
                const int inX = std::min(x / 2 - r.left, r.left + r.width - 1 - x / 2);
                const int inY = std::min(y / 2 - r.top, r.top + r.height - 1 - y / 2);
                if (std::min(inX, inY) >= depth)
                    continue;
                if (!s_double.valid(x, y))
                    continue;  // the group box reaches below the dialog's bottom edge
                differences += s_double.pixel(x, y) != s_single.pixel(x / 2, y / 2) ? 1 : 0;
            }
        }
        return differences;
    }

    static TempDir* s_home;
    static QImage s_single;
    static QImage s_double;
};

TempDir* MainDialogAtTwiceTheScale::s_home = nullptr;
QImage MainDialogAtTwiceTheScale::s_single;
QImage MainDialogAtTwiceTheScale::s_double;

TEST_F(MainDialogAtTwiceTheScale, IsTwiceTheSize)
{
    EXPECT_EQ(s_single.size(), QSize(600, 388));
    EXPECT_EQ(s_double.size(), QSize(1200, 776));
}

TEST_F(MainDialogAtTwiceTheScale, ControlEdgesLieOnTheirDoubledRectangles)
{
    ASSERT_EQ(s_double.size(), 2 * s_single.size());
    const std::set<int> ids = {res::IDC_STARTUP, res::IDC_APPLY, res::IDC_BROWSE, res::IDC_ABOUT, res::IDC_PREVIEW};
    int checked = 0;
    for (const platform::ControlTemplate& control : res::MainDialogTemplate().controls) {
        // The buttons (Browse the default one, with two rings), the preview's
        // sunken edge, the group box's frame and the etched separators.
        const bool chosen = ids.contains(control.id) || control.cls == platform::ControlClass::Static ||
                            (control.cls == platform::ControlClass::Button && (control.style & 0xF) == BS_GROUPBOX);
        if (!chosen || control.hidden)
            continue;
        const PixelRect r = ControlRect(control);
        EXPECT_EQ(RingDifferences(r, 2), 0) << "control " << control.id << " \"" << control.text << "\" at "
                                             << r.left << "," << r.top << " " << r.width << "x" << r.height;
        ++checked;
    }
    EXPECT_GE(checked, 9);
}

TEST_F(MainDialogAtTwiceTheScale, PreviewIsScaledByWholePixels)
{
    ASSERT_EQ(s_double.size(), 2 * s_single.size());
    for (const platform::ControlTemplate& control : res::MainDialogTemplate().controls) {
        if (control.id != res::IDC_PREVIEW)
            continue;
        const PixelRect r = ControlRect(control);
        EXPECT_EQ(RingDifferences(r, std::max(r.width, r.height)), 0);
        return;
    }
    FAIL() << "the main dialog has no preview";
}

#endif  // LUMVA_CPL_BUILT

}  // namespace
