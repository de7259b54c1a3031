// Top-level dialogs under a window manager on a real X server: where their
// frames go, which frames they get and the captions the window manager is
// given. Offscreen there are no frames and no window manager: these skip.

#include "platform/qt/DialogTestSupport.h"
#include "platform/qt/HwndWidget.h"

#include "platform/qt/testing/UiTesting.h"
#include "platform/ui/Dlu.h"
#include "platform/ui/UiConstants.h"

#include <QApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QWidget>
#include <QWindow>

#include <iostream>

#include <gtest/gtest.h>

namespace {

using namespace uitest;
using platform::ControlClass;
using platform::ControlTemplate;

enum : int { IDD_FRAMED = 930, IDD_BARE = 931, IDD_TOOL = 932, IDD_PLAIN = 933 };

constexpr std::array kOneButton = {
    ControlTemplate{IDCANCEL, ControlClass::Button, "&Close", 5, 5, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
};
constexpr platform::DialogTemplate kFramedTemplate{IDD_FRAMED, "Alert", 0, 0, 100, 30, kCaptioned, WS_EX_TOOLWINDOW,
                                                  "MS Sans Serif", 8, kOneButton};
constexpr platform::DialogTemplate kToolWindowTemplate{IDD_TOOL, "Preview", 0, 0, 80, 30, kCaptioned, WS_EX_TOOLWINDOW,
                                                     "MS Sans Serif", 8, kOneButton};
constexpr platform::DialogTemplate kPlainTemplate{IDD_PLAIN, "Plain", 0, 0, 100, 30, kCaptioned, 0, "MS Sans Serif", 8,
                                                 kOneButton};
constexpr platform::DialogTemplate kBareTemplate{IDD_BARE, "", 0, 0, 100, 30, WS_POPUP | DS_MODALFRAME, 0,
                                                "MS Sans Serif", 8, kOneButton};

class WindowManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            GTEST_SKIP() << "needs a real X server with a window manager";
        InstallResources();
    }

    // Lets the window manager frame a shown window (under Wayland the
    // window draws its frame itself).
    static void WaitForFrame(QWidget* window)
    {
        const bool drawnByItself = platform::testing::OnWayland();
        for (int i = 0; i < 100 && !drawnByItself && window->frameGeometry() == window->geometry(); ++i)
            Pump(20);
        Pump(50);
    }
};

// A dialog that goes where it was stored before it is shown, as the editor
// and its preview do, and stores where it is when it closes.
class PlacedDialog : public platform::CDialog {
public:
    explicit PlacedDialog(POINT& stored) : CDialog(kFramedTemplate), m_stored(stored) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetWindowPos(nullptr, m_stored.x, m_stored.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return TRUE;
    }
    void OnDestroy() override
    {
        RECT r{};
        GetWindowRect(&r);
        m_stored = POINT{r.left, r.top};
        CDialog::OnDestroy();
    }

private:
    POINT& m_stored;
};

TEST_F(WindowManagerTest, AStoredFramePositionStaysPutOverReopenings)
{
    POINT stored{34, 35};
    for (int run = 0; run < 3; ++run) {
        PlacedDialog dialog(stored);
        platform::testing::ScopedModalHook hook(IDD_FRAMED, [](platform::CDialog& d) {
            WaitForFrame(WidgetOf(&d));
            d.EndDialog(IDCANCEL);
        });
        dialog.DoModal();
        EXPECT_EQ(stored.x, 34) << "run " << run;
        EXPECT_EQ(stored.y, 35) << "run " << run;
    }
}

TEST_F(WindowManagerTest, AModalFrameWithoutCaptionHasABorderAndNoTitleBar)
{
    platform::CDialog dialog(kBareTemplate);
    QRect frame;
    QRect client;
    QImage shown;
    platform::testing::ScopedModalHook hook(IDD_BARE, [&](platform::CDialog& d) {
        WaitForFrame(WidgetOf(&d));
        frame = WidgetOf(&d)->frameGeometry();
        client = WidgetOf(&d)->geometry();
        shown = platform::testing::GrabWholeWindow(d);
        d.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    if (platform::testing::OnWayland()) {
        // The toolkit's title bar would be untitled, with minimise and
        // maximise buttons; the window draws the frame around its client area.
        std::cout << "Wayland: the modal frame is drawn by the window itself\n";
        EXPECT_EQ(frame, client) << "no title bar from the toolkit";
        ASSERT_FALSE(shown.isNull());
        EXPECT_EQ(shown.pixelColor(1, 1), QColor(255, 255, 255)) << "the frame's highlight";
        EXPECT_EQ(shown.pixelColor(shown.width() - 1, shown.height() - 1), QColor(64, 64, 64)) << "its dark shadow";
        EXPECT_EQ(shown.size(), QSize(platform::DluToPixelsX(100) + 6, platform::DluToPixelsY(30) + 6))
            << "three pixels of frame on each side of the client area";
        EXPECT_TRUE(platform::testing::CaptionButtons(dialog).empty()) << "no caption";
        return;
    }
    EXPECT_GT(client.left() - frame.left(), 0) << "a border around the client area";
    EXPECT_EQ(client.top() - frame.top(), client.left() - frame.left()) << "as thick on top: no title bar";
}

// A property of a window as the server holds it (xprop's text after "= ").
QString PropertyOnTheServer(QWidget* window, const char* name)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window->winId()), QString::fromLatin1(name)});
    xprop.waitForFinished(5000);
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const int equals = out.indexOf(QLatin1String(" = "));
    return equals < 0 ? out : out.mid(equals + 3);
}

// The name the window manager shows for a window, read from the server.
QString NameOnTheServer(QWidget* window)
{
    const QString quoted = PropertyOnTheServer(window, "_NET_WM_NAME");
    return quoted.startsWith(QLatin1Char('"')) ? quoted.mid(1).chopped(1) : quoted;
}

TEST_F(WindowManagerTest, CaptionsAreExactlyTheTemplatesWhateverTheApplicationIsCalled)
{
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Lumivane"));
    platform::CDialog dialog(kFramedTemplate);
    QString name;
    platform::testing::ScopedModalHook hook(IDD_FRAMED, [&](platform::CDialog& d) {
        Pump(50);
        // A Wayland compositor cannot be asked what it shows: the toolkit
        // sends it the window's title with the display name appended.
        const QString appended = QGuiApplication::applicationDisplayName();
        name = platform::testing::OnWayland()
                   ? WidgetOf(&d)->windowHandle()->title() + (appended.isEmpty() ? QString() : " - " + appended)
                   : NameOnTheServer(WidgetOf(&d));
        d.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    EXPECT_EQ(name.toStdString(), "Alert");
}

TEST_F(WindowManagerTest, ShowingWithoutActivatingLeavesTheActiveWindowAlone)
{
    if (platform::testing::OnWayland())
        GTEST_SKIP() << "Wayland: no client can map a window without the focus; the compositor decides";
    platform::CDialog dialog(kFramedTemplate);
    platform::CDialog tool(kToolWindowTemplate);
    QWidget* owner = nullptr;
    QWidget* activeAfterShow = nullptr;
    QWidget* activeAfterReshow = nullptr;
    platform::testing::ScopedModalHook hook(IDD_FRAMED, [&](platform::CDialog& d) {
        owner = WidgetOf(&d);
        tool.Create(&d);
        // The first showing maps the window; a later one shows it again.
        tool.ShowWindow(SW_SHOWNA);
        WaitForFrame(WidgetOf(&tool));
        Pump(200);
        activeAfterShow = QApplication::activeWindow();
        tool.ShowWindow(SW_HIDE);
        Pump(100);
        tool.ShowWindow(SW_SHOWNA);
        Pump(300);
        activeAfterReshow = QApplication::activeWindow();
        tool.DestroyWindow();
        d.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    EXPECT_EQ(activeAfterShow, owner) << "the first showing took the activation";
    EXPECT_EQ(activeAfterReshow, owner) << "showing it again took the activation";
}

// A fixed-size window asks every window manager for no maximise: the Motif
// hints (read by most) have neither its function (0x10) nor its button
// (0x40), and the window manager lists no maximise among the window's
// allowed actions. openbox still draws its maximize button, in the theme's
// disabled look, and does nothing on a click.
TEST_F(WindowManagerTest, AFixedSizeWindowIsOfferedNoMaximise)
{
    for (const platform::DialogTemplate* tpl : {&kPlainTemplate, &kFramedTemplate}) {
        if (platform::testing::OnWayland()) {
            // The toolkit's own title bar would offer minimise and maximise:
            // the window goes without it and draws a caption with a close box.
            platform::CDialog dialog(*tpl);
            bool frameless = false;
            std::vector<std::string> buttons;
            platform::testing::ScopedModalHook hook(tpl->id, [&](platform::CDialog& d) {
                frameless = WidgetOf(&d)->windowHandle()->flags().testFlag(Qt::FramelessWindowHint);
                buttons = platform::testing::CaptionButtons(d);
                d.EndDialog(IDCANCEL);
            });
            dialog.DoModal();
            EXPECT_TRUE(frameless) << tpl->caption;
            EXPECT_EQ(buttons, std::vector<std::string>{"Close"}) << tpl->caption;
            continue;
        }
        platform::CDialog dialog(*tpl);
        QString motif;
        QString allowed;
        platform::testing::ScopedModalHook hook(tpl->id, [&](platform::CDialog& d) {
            WaitForFrame(WidgetOf(&d));
            motif = PropertyOnTheServer(WidgetOf(&d), "_MOTIF_WM_HINTS");
            allowed = PropertyOnTheServer(WidgetOf(&d), "_NET_WM_ALLOWED_ACTIONS");
            d.EndDialog(IDCANCEL);
        });
        dialog.DoModal();
        const QStringList fields = motif.split(QLatin1String(", "));
        ASSERT_GE(fields.size(), 3) << tpl->caption << ": " << motif.toStdString();
        const unsigned flags = fields[0].toUInt(nullptr, 16);
        const unsigned functions = fields[1].toUInt(nullptr, 16);
        const unsigned decorations = fields[2].toUInt(nullptr, 16);
        EXPECT_TRUE((flags & 0x1) != 0 && (functions & 0x10) == 0) << tpl->caption << ": " << motif.toStdString();
        EXPECT_TRUE((flags & 0x2) != 0 && (decorations & 0x40) == 0) << tpl->caption << ": " << motif.toStdString();
        EXPECT_TRUE(allowed.contains(QLatin1String("_NET_WM_ACTION_CLOSE"))) << allowed.toStdString();
        EXPECT_FALSE(allowed.contains(QLatin1String("MAXIMIZE"))) << tpl->caption << ": " << allowed.toStdString();
    }
}

// What the maximize button of a title bar does: ask the window system to
// maximise. A window of fixed size stays as it is, and alive (a Wayland
// compositor that grants it would end the connection otherwise).
TEST_F(WindowManagerTest, AMaximiseRequestLeavesAFixedSizeWindowAsItWas)
{
    platform::CDialog dialog(kFramedTemplate);
    QSize before;
    QSize after;
    bool maximisedAfter = true;
    bool fixedAfter = false;
    platform::testing::ScopedModalHook hook(IDD_FRAMED, [&](platform::CDialog& d) {
        QWidget* window = WidgetOf(&d);
        WaitForFrame(window);
        before = window->size();
        window->windowHandle()->setWindowStates(Qt::WindowMaximized);
        for (int i = 0; i < 30; ++i) {
            Pump(50);
            window->update();  // as an animation repaints it
            platform::testing::PaintShownWindows();
        }
        after = window->size();
        maximisedAfter = window->isMaximized();
        fixedAfter = window->minimumSize() == before && window->maximumSize() == before;
        d.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    EXPECT_EQ(after, before);
    EXPECT_FALSE(maximisedAfter);
    EXPECT_TRUE(fixedAfter);
}

// Wherever the frame and caption come from (a window manager, or drawn by
// the window itself under Wayland), the client area is the template's size
// and its controls are where their dialog units say, in client coordinates
// and on the screen; the client area's picture starts with the client.
TEST_F(WindowManagerTest, TheClientAreaIsTheTemplatesWithTheFrameOutsideIt)
{
    const RECT expected = platform::DluRectToPixels(5, 5, 50, 14);
    for (const platform::DialogTemplate* tpl : {&kPlainTemplate, &kToolWindowTemplate, &kBareTemplate}) {
        platform::CDialog dialog(*tpl);
        RECT client{};
        RECT button{};
        RECT queried{};
        QImage shown;
        platform::testing::ScopedModalHook hook(tpl->id, [&](platform::CDialog& d) {
            WaitForFrame(WidgetOf(&d));
            d.GetClientRect(&client);
            d.GetDlgItem(IDCANCEL)->GetWindowRect(&button);
            d.ScreenToClient(&button);
            queried = platform::testing::QueryControl(d, IDCANCEL).rect;
            shown = platform::testing::GrabWindow(d);
            d.EndDialog(IDCANCEL);
        });
        dialog.DoModal();
        const std::string name = tpl->id == IDD_BARE ? "bare" : tpl->caption;
        EXPECT_EQ(client.right, platform::DluToPixelsX(tpl->cx)) << name;
        EXPECT_EQ(client.bottom, platform::DluToPixelsY(tpl->cy)) << name;
        EXPECT_EQ(std::tie(button.left, button.top, button.right, button.bottom),
                  std::tie(expected.left, expected.top, expected.right, expected.bottom)) << name;
        EXPECT_EQ(std::tie(queried.left, queried.top), std::tie(expected.left, expected.top)) << name;
        ASSERT_EQ(shown.size(), QSize(client.right, client.bottom)) << name;
        EXPECT_EQ(shown.pixelColor(1, 1), QColor(212, 208, 200)) << name << ": the face, not a frame or caption";
    }
}

// The close box of the caption a window draws itself does what the window
// system's close box does: the cancel path.
TEST_F(WindowManagerTest, TheDrawnCaptionsCloseBoxCancels)
{
    if (!platform::testing::OnWayland())
        GTEST_SKIP() << "the window manager draws the caption here; ClickCloseBox tests its close box";
    for (const platform::DialogTemplate* tpl : {&kPlainTemplate, &kToolWindowTemplate}) {
        platform::CDialog dialog(*tpl);
        bool clicked = false;
        platform::testing::ScopedModalHook hook(tpl->id, [&](platform::CDialog& d) {
            clicked = platform::testing::ClickCaptionClose(d);
            if (!clicked)
                d.EndDialog(IDOK);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL) << tpl->caption;
        EXPECT_TRUE(clicked) << tpl->caption;
    }
}

// A press on the drawn caption hands the move to the compositor. Whether it
// then moves the window cannot be seen from here: no Wayland client is told
// where its window is, and a compositor follows only a press it saw itself
// (Weston moves the window under a real pointer drag).
TEST_F(WindowManagerTest, PressingTheDrawnCaptionStartsAMoveByTheCompositor)
{
    if (!platform::testing::OnWayland())
        GTEST_SKIP() << "the window manager draws the caption and moves the window here";
    platform::CDialog dialog(kPlainTemplate);
    bool moving = false;
    platform::testing::ScopedModalHook hook(IDD_PLAIN, [&](platform::CDialog& d) {
        moving = platform::testing::PressCaption(d);
        d.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    EXPECT_TRUE(moving);
}

}  // namespace
