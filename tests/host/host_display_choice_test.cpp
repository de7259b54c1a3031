// The platform the host asks Qt for: Qt's own choice where a display works,
// offscreen for a screenshot where none does, and one line (not Qt's abort)
// where nothing can work.

#include "HostProcess.h"
#include "common/TempDir.h"
#include "host/DisplayChoice.h"

#include <gtest/gtest.h>

namespace {

using host::DisplayEnvironment;

struct ChoiceCase {
    const char* name;
    DisplayEnvironment environment;
    const char* platform;
    const char* refusalMentions;  // empty: no refusal
};

class DisplayChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(DisplayChoiceTest, PicksAPlatformThatCanStartOrSaysWhatIsMissing)
{
    const ChoiceCase& c = GetParam();
    const host::DisplayChoice choice = host::ChooseDisplay(c.environment);
    EXPECT_EQ(choice.platform, c.platform);
    if (*c.refusalMentions == '\0') {
        EXPECT_TRUE(choice.refusal.empty()) << choice.refusal;
    } else {
        EXPECT_NE(choice.refusal.find(c.refusalMentions), std::string::npos) << choice.refusal;
        EXPECT_EQ(choice.refusal.find('\n'), std::string::npos) << "one line";
    }
}

// platformChosen, x11, wayland, waylandReachable, waylandPlugin, screenshot
INSTANTIATE_TEST_SUITE_P(
    Sessions, DisplayChoiceTest,
    ::testing::Values(ChoiceCase{"UsersOwnChoice", {true, false, true, false, false, false}, "", ""},
                      ChoiceCase{"WorkingWayland", {false, false, true, true, true, false}, "", ""},
                      ChoiceCase{"PlainX", {false, true, false, false, false, false}, "", ""},
                      ChoiceCase{"WaylandWithoutPluginBesideX", {false, true, true, true, false, false}, "xcb", ""},
                      ChoiceCase{"WaylandWithoutPluginScreenshot", {false, false, true, true, false, true}, "offscreen",
                                 ""},
                      ChoiceCase{"WaylandWithoutPlugin", {false, false, true, true, false, false}, "", "qt6-wayland"},
                      ChoiceCase{"CompositorGone", {false, false, true, false, true, false}, "", "no Wayland compositor"},
                      ChoiceCase{"NoDisplayAtAll", {false, false, false, false, false, false}, "", "no display"}),
    [](const auto& info) { return std::string(info.param.name); });

// The real program on a session whose compositor is gone: Qt would abort.
class UnusableWayland : public ::testing::Test {
protected:
    testing_support::TempDir m_home;
    std::map<std::string, std::string> Environment() const
    {
        return {{"QT_QPA_PLATFORM", host_test::kUnset},
                {"DISPLAY", host_test::kUnset},
                {"WAYLAND_DISPLAY", "wayland-gone"},
                {"XDG_RUNTIME_DIR", m_home.Path().string()},
                {"XDG_DATA_HOME", (m_home.Path() / "data").string()},
                {"XDG_CONFIG_HOME", (m_home.Path() / "config").string()}};
    }
};

TEST_F(UnusableWayland, ScreenshotIsTakenOffscreen)
{
    const std::filesystem::path png = m_home.Path() / "shot.png";
    const host_test::HostRun run = host_test::RunLumivane({"--screenshot", png.string()}, Environment());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(png));
}

TEST_F(UnusableWayland, WithoutAScreenshotItSaysSoInOneLine)
{
    const host_test::HostRun run = host_test::RunLumivane({}, Environment());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no Wayland compositor"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
}

}  // namespace
