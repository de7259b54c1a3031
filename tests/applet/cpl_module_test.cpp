// lumva.cpl as the Control Panel sees it: loaded with dlopen, driven through
// CPlApplet alone. The module has its own copy of the platform layer, so its
// dialogs are found and closed through Qt, which both sides share.

#include "platform/ui/ControlPanel.h"
#include "common/TestFiles.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

namespace {

// Visible top-level windows titled like the main dialog.
QList<QWidget*> OpenMainDialogs()
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowTitle() == QStringLiteral("Lumivane"))
            found.push_back(w);
    }
    return found;
}

// Runs action once the main dialog is showing (polling, as the dialog
// opens inside the entry call).
void WhenMainDialogOpens(std::function<void(QWidget*)> action)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        const QList<QWidget*> open = OpenMainDialogs();
        if (open.isEmpty())
            return;
        poll->stop();
        poll->deleteLater();
        action(open.first());
    });
    poll->start();
}

class CplModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::filesystem::path drive = m_root.Path() / "drive_c";
        std::filesystem::create_directories(drive / "WINDOWS" / "SYSTEM");
        std::filesystem::create_directories(m_root.Path() / "config");
        setenv("LUMIVANE_DRIVE_C", drive.c_str(), 1);
        setenv("LUMIVANE_WINDOWS_DIR", "C:\\WINDOWS", 1);
        setenv("LUMIVANE_SYSTEM_DIR", "C:\\WINDOWS\\SYSTEM", 1);
        setenv("XDG_CONFIG_HOME", (m_root.Path() / "config").c_str(), 1);

        m_handle = dlopen(LUMVA_CPL_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_handle, nullptr) << dlerror();
        m_entry = reinterpret_cast<APPLET_PROC>(dlsym(m_handle, kCplAppletSymbol));
        ASSERT_NE(m_entry, nullptr);
    }

    void TearDown() override
    {
        if (m_handle != nullptr) {
            EXPECT_EQ(dlclose(m_handle), 0);
        }
        for (const char* name : {"LUMIVANE_DRIVE_C", "LUMIVANE_WINDOWS_DIR", "LUMIVANE_SYSTEM_DIR", "XDG_CONFIG_HOME"})
            unsetenv(name);
    }

    LONG Send(UINT message, LPARAM lParam2 = 0) { return m_entry(nullptr, message, 0, lParam2); }

    testing_support::TempDir m_root;
    void* m_handle = nullptr;
    APPLET_PROC m_entry = nullptr;
};

TEST_F(CplModuleTest, ModuleFileIsNamedLumvaCpl)
{
    EXPECT_EQ(std::filesystem::path(LUMVA_CPL_PATH).filename(), "lumva.cpl");
}

TEST_F(CplModuleTest, GetCountAnswersOneBeforeAndAfterInit)
{
    EXPECT_EQ(Send(CPL_GETCOUNT), 1);
    EXPECT_EQ(Send(CPL_INIT), 1);
    EXPECT_EQ(Send(CPL_GETCOUNT), 1);
}

TEST_F(CplModuleTest, InquireFillsIconNameDescriptionAndData)
{
    CPLINFO info{-7, -7, -7, -7};
    EXPECT_EQ(Send(CPL_INQUIRE, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.idIcon, 1000);
    EXPECT_EQ(info.idName, 1);
    EXPECT_EQ(info.idInfo, 2);
    EXPECT_EQ(info.lData, 0);
}

TEST_F(CplModuleTest, InquireWithoutARecordIsHarmless)
{
    EXPECT_EQ(Send(CPL_INQUIRE, 0), 0);
}

TEST_F(CplModuleTest, NewInquireLeavesItsRecordUntouched)
{
    unsigned char record[64];
    std::memset(record, 0xA5, sizeof record);
    unsigned char before[64];
    std::memcpy(before, record, sizeof record);
    EXPECT_EQ(Send(CPL_NEWINQUIRE, reinterpret_cast<LPARAM>(record)), 0);
    EXPECT_EQ(std::memcmp(record, before, sizeof record), 0);
}

struct QuietMessage {
    const char* name;
    UINT code;
};

class CplQuietMessageTest : public CplModuleTest, public ::testing::WithParamInterface<QuietMessage> {};

TEST_P(CplQuietMessageTest, AnswersZeroAndOpensNothing)
{
    EXPECT_EQ(Send(CPL_INIT), 1);
    EXPECT_EQ(Send(GetParam().code), 0);
    EXPECT_TRUE(OpenMainDialogs().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CplQuietMessageTest,
    ::testing::Values(QuietMessage{"Select", CPL_SELECT}, QuietMessage{"Stop", CPL_STOP}, QuietMessage{"Exit", CPL_EXIT},
                      QuietMessage{"Zero", 0}, QuietMessage{"Nine", 9}, QuietMessage{"Large", 0x400},
                      QuietMessage{"AllBits", 0xFFFFFFFFu}),
    [](const ::testing::TestParamInfo<QuietMessage>& info) { return std::string(info.param.name); });

TEST_F(CplModuleTest, DoubleClickRunsTheMainDialogUntilItClosesAndAnswersZero)
{
    ASSERT_EQ(Send(CPL_INIT), 1);
    for (int run = 0; run < 2; ++run) {
        bool seen = false;
        WhenMainDialogOpens([&seen](QWidget* dialog) {
            seen = true;
            dialog->close();  // the title bar's close box: the cancel path
        });
        EXPECT_EQ(Send(CPL_DBLCLK), 0) << "run " << run;
        EXPECT_TRUE(seen) << "run " << run;
        EXPECT_TRUE(OpenMainDialogs().isEmpty());
    }
    EXPECT_EQ(Send(CPL_STOP), 0);
    EXPECT_EQ(Send(CPL_EXIT), 0);
}

TEST_F(CplModuleTest, DoubleClickWhileOpenReturnsAtOnceAndKeepsTheOneDialog)
{
    ASSERT_EQ(Send(CPL_INIT), 1);
    LONG nested = -1;
    int openDuringNested = 0;
    WhenMainDialogOpens([&](QWidget* dialog) {
        nested = Send(CPL_DBLCLK);
        openDuringNested = static_cast<int>(OpenMainDialogs().size());
        dialog->close();
    });
    EXPECT_EQ(Send(CPL_DBLCLK), 0);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(openDuringNested, 1);
}

}  // namespace
