// The StartUp preview's palette cycling: timer 1 every 100 ms on the main
// dialog, driving the embedded editor's palette state over the stretched
// preview picture, and only for a start-up file marked as animated.

#include "MainDialogFixture.h"

namespace appletui {
namespace {

using platform::testing::ActiveTimers;
using platform::testing::ClickControl;
using platform::testing::FireTimer;
using platform::testing::TimerInterval;

using Table = std::vector<logo::RgbQuad>;

// The table after `ticks` steps of cycling the last `count` entries.
Table Rotated(Table table, int count, int ticks)
{
    for (int t = 0; t < ticks; ++t) {
        const logo::RgbQuad first = table[static_cast<std::size_t>(256 - count)];
        for (int k = 256 - count; k < 255; ++k)
            table[static_cast<std::size_t>(k)] = table[static_cast<std::size_t>(k) + 1];
        table[255] = first;
    }
    return table;
}

Table FileTable(unsigned seed)
{
    return testing_support::MakeVariedLogo(seed).colorTable;
}

struct CycleCase {
    const char* name;
    std::uint8_t count;
    int ticks;
};

class MainDialogCycleTest : public MainDialogTest, public ::testing::WithParamInterface<CycleCase> {};

TEST_P(MainDialogCycleTest, EachTickRotatesThePreviewsLastEntries)
{
    const CycleCase& c = GetParam();
    WriteLogo(StartUpFile(), 5, c.count);
    std::vector<UINT_PTR> timers;
    int interval = 0;
    const logo::Picture* before = nullptr;
    const logo::Picture* after = nullptr;
    Table shown;
    std::int32_t phase = -1;
    std::vector<std::uint8_t> pixelsBefore;
    std::vector<std::uint8_t> pixelsAfter;
    Run([&](CMainDlg& d) {
        timers = ActiveTimers(d);
        interval = TimerInterval(d, 1);
        before = PreviewShown(d);
        pixelsBefore = before->pixels;
        for (int t = 0; t < c.ticks; ++t)
            ASSERT_TRUE(FireTimer(d, 1));
        after = PreviewShown(d);
        shown = PreviewTable(d);
        pixelsAfter = after->pixels;
        phase = d.AnimDlg().State().m_phase;
    });
    EXPECT_EQ(timers, std::vector<UINT_PTR>{1});
    EXPECT_EQ(interval, 100);
    EXPECT_EQ(before, after) << "the same picture is handed to the preview again";
    EXPECT_EQ(shown, Rotated(FileTable(5), c.count, c.ticks));
    EXPECT_EQ(phase, c.ticks % c.count);
    EXPECT_EQ(pixelsAfter, pixelsBefore) << "cycling touches no pixel";
}

INSTANTIATE_TEST_SUITE_P(Counts, MainDialogCycleTest,
                         ::testing::Values(CycleCase{"AnimatedBar21", 21, 7}, CycleCase{"TwoEntries", 2, 3},
                                           CycleCase{"AllButFirst255", 255, 255},
                                           // A count of 1 runs the timer but moves nothing.
                                           CycleCase{"OneEntry", 1, 4}),
                         [](const ::testing::TestParamInfo<CycleCase>& info) { return std::string(info.param.name); });

TEST_F(MainDialogTest, StaticStartUpLogoNeverStartsTheTimer)
{
    WriteSystemLogos();
    std::vector<std::vector<UINT_PTR>> timers;
    bool tickDelivered = true;
    Run([&](CMainDlg& d) {
        timers.push_back(ActiveTimers(d));
        ClickControl(d, res::IDC_SHUTDOWN);
        ClickControl(d, res::IDC_STARTUP);
        timers.push_back(ActiveTimers(d));
        tickDelivered = FireTimer(d, 1);
    });
    for (const auto& active : timers)
        EXPECT_TRUE(active.empty());
    EXPECT_FALSE(tickDelivered);
    EXPECT_FALSE(m_dialog.AnimDlg().State().m_animating);
}

TEST_F(MainDialogTest, LeavingStartUpStopsAndComingBackRestartsFromTheFile)
{
    WriteLogo(StartUpFile(), 6, 21);
    WriteLogo(ShutDownFile(), 7, 30);  // animated too, but not a StartUp slot
    std::vector<UINT_PTR> onShutDown{99};
    bool animatingOnShutDown = true;
    std::vector<UINT_PTR> back;
    std::int32_t phaseBack = -1;
    Table tableBack;
    Table engineBack;
    Run([&](CMainDlg& d) {
        for (int t = 0; t < 5; ++t)
            FireTimer(d, 1);
        ClickControl(d, res::IDC_SHUTDOWN);
        onShutDown = ActiveTimers(d);
        animatingOnShutDown = d.AnimDlg().State().m_animating;
        ClickControl(d, res::IDC_STARTUP);
        back = ActiveTimers(d);
        phaseBack = d.AnimDlg().State().m_phase;
        tableBack = PreviewTable(d);
        const auto& engine = d.AnimDlg().State().m_colorTable;
        engineBack.assign(engine.begin(), engine.end());
    });
    EXPECT_TRUE(onShutDown.empty());
    EXPECT_FALSE(animatingOnShutDown);
    EXPECT_EQ(back, std::vector<UINT_PTR>{1});
    EXPECT_EQ(phaseBack, 0);
    EXPECT_EQ(tableBack, FileTable(6)) << "freshly loaded, not where the last run stopped";
    EXPECT_EQ(engineBack, FileTable(6));
}

TEST_F(MainDialogTest, DefaultLogoOnStartUpStopsTheCycling)
{
    WriteLogo(StartUpFile(), 8, 21);
    std::vector<UINT_PTR> timers{99};
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_DEFAULT_LOGO);
        timers = ActiveTimers(d);
    });
    EXPECT_TRUE(timers.empty());
    EXPECT_FALSE(m_dialog.AnimDlg().State().m_animating);
}

TEST_F(MainDialogTest, ClosingLeavesTheEngineStoppedAndTheNextOpeningStartsAgain)
{
    WriteLogo(StartUpFile(), 9, 10);
    Run([](CMainDlg& d) { FireTimer(d, 1); });
    EXPECT_FALSE(m_dialog.AnimDlg().State().m_animating);
    EXPECT_EQ(m_dialog.AnimDlg().State().m_picture, nullptr) << "the engine keeps no pointer to a freed picture";

    std::vector<UINT_PTR> timers;
    std::int32_t phase = -1;
    Run([&](CMainDlg& d) {
        timers = ActiveTimers(d);
        phase = d.AnimDlg().State().m_phase;
    });
    EXPECT_EQ(timers, std::vector<UINT_PTR>{1});
    EXPECT_EQ(phase, 0);
}

}  // namespace
}  // namespace appletui
