// The Boot Screen window and Export Animation... from the main dialog's
// preview: the context menu, Ctrl+B, the picture as the boot screen shows
// it tick by tick, full screen and Escape, the status line, and the export
// in its three types with its failure message.

#include "MainDialogFixture.h"
#include "export/DecodedAnimation.h"
#include "logo/BootScreen.h"
#include "logo/LogoCheck.h"
#include "platform/testing/KeyChordTesting.h"
#include "platform/testing/PopupMenuTesting.h"
#include "platform/ui/Accelerators.h"
#include "platform/ui/CDC.h"
#include "platform/ui/CPictureWnd.h"
#include "platform/ui/FullScreen.h"
#include "resources/DialogTemplates.h"
#include "ui/main/CBootScreenWnd.h"

#include "platform/qt/HwndWidget.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>

#include <optional>

namespace appletui {
namespace {

using platform::testing::FireTimer;
using platform::testing::QueryControl;
using platform::testing::RightClickForMenu;
using platform::testing::ScopedMenuChoice;
using platform::testing::SendKeyChord;

constexpr std::uint8_t kCount = 21;

// Every pixel row uses the entries in turn, so the cycling entries show.
logo::LogoImage DiagonalLogo()
{
    logo::LogoImage image = logo::MakeBlankLogo();
    for (int i = 0; i < 256; ++i)
        image.colorTable[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                                         static_cast<std::uint8_t>((i * 7) & 0xFF), 0};
    for (int y = 0; y < logo::kLogoHeight; ++y)
        for (int x = 0; x < logo::kLogoWidth; ++x)
            image.pixels[static_cast<std::size_t>(y * logo::kLogoWidth + x)] = static_cast<std::uint8_t>((x + y) % 256);
    return image;
}

logo::ColorTable TableOf(const logo::LogoImage& image)
{
    logo::ColorTable table{};
    std::copy_n(image.colorTable.begin(), table.size(), table.begin());
    return table;
}

COLORREF Pixel(platform::CWnd& window, int x, int y)
{
    platform::CDC* dc = window.GetDC();
    const COLORREF color = dc->GetPixel(x, y);
    window.ReleaseDC(dc);
    return color;
}

COLORREF ScreenColor(const logo::ColorTable& table, std::uint8_t index)
{
    const logo::RgbQuad q = logo::ThroughDac(table)[index];
    return RGB(q.red, q.green, q.blue);
}

class BootScreenWindowTest : public MainDialogTest {
protected:
    void SetUp() override
    {
        MainDialogTest::SetUp();
        m_logo = DiagonalLogo();
        std::filesystem::create_directories(Drive());
        ASSERT_TRUE(platform::WriteLogoFile(StartUpFile(), m_logo, TableOf(m_logo), true, kCount));
    }

    // The preview's centre in the main dialog's client coordinates.
    POINT PreviewPoint(CMainDlg& d) const
    {
        const RECT r = QueryControl(d, res::IDC_PREVIEW).rect;
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    POINT BrowsePoint(CMainDlg& d) const
    {
        const RECT r = QueryControl(d, res::IDC_BROWSE).rect;
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    // Runs body inside the Boot Screen window that opening() opens.
    int WithBootScreen(const std::function<void(CMainDlg&)>& opening, const std::function<void(CBootScreenWnd&)>& body)
    {
        platform::testing::ScopedModalHook hook(res::IDD_BOOT_SCREEN, [&](platform::CDialog& dialog) {
            auto& window = static_cast<CBootScreenWnd&>(dialog);
            body(window);
            if (window.IsWindow() && window.IsWindowVisible())
                window.EndDialog(IDCANCEL);
        });
        Run(opening);
        return hook.Calls();
    }

    logo::LogoImage m_logo;
};

TEST_F(BootScreenWindowTest, ContextMenuOfThePreviewOffersBootScreenAndExport)
{
    ScopedMenuChoice choice(UINT_PTR{0});
    Run([&](CMainDlg& d) { RightClickForMenu(d, PreviewPoint(d)); });
    ASSERT_EQ(choice.MenusShown().size(), 1u);
    const std::vector<platform::MenuItem>& items = choice.MenusShown()[0];
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, "&Boot Screen\tCtrl+B");
    EXPECT_EQ(items[0].id, static_cast<UINT_PTR>(res::IDM_BOOT_SCREEN));
    EXPECT_EQ(items[1].text, "Export &Animation...");
    EXPECT_EQ(items[0].flags & platform::MF_GRAYED, 0u);
    EXPECT_EQ(items[1].flags & platform::MF_GRAYED, 0u);
}

TEST_F(BootScreenWindowTest, RightClickOutsideThePreviewShowsNoMenu)
{
    ScopedMenuChoice choice(UINT_PTR{0});
    Run([&](CMainDlg& d) { RightClickForMenu(d, BrowsePoint(d)); });
    EXPECT_TRUE(choice.MenusShown().empty());
}

TEST_F(BootScreenWindowTest, ShowsTheLogoAsTheBootScreenTickByTick)
{
    ScopedMenuChoice choice(static_cast<UINT_PTR>(res::IDM_BOOT_SCREEN));
    const logo::ColorTable table = TableOf(m_logo);
    const int calls = WithBootScreen([&](CMainDlg& d) { RightClickForMenu(d, PreviewPoint(d)); },
                                     [&](CBootScreenWnd& w) {
        EXPECT_EQ(w.GetWindowText(), "Boot Screen");
        const RECT picture = w.PictureRect();
        EXPECT_EQ(picture.left, 0);
        EXPECT_EQ(picture.top, 0);
        EXPECT_EQ(picture.right, 640);
        EXPECT_EQ(picture.bottom, 480);
        EXPECT_EQ(platform::testing::TimerInterval(w, CBootScreenWnd::kTickTimer), 100);
        // Logo pixel (x, y) covers screen columns 2x, 2x + 1 and row floor(1.2 y).
        struct Probe { int x, y; };
        for (const Probe p : {Probe{0, 0}, Probe{10, 5}, Probe{200, 250}, Probe{319, 399}}) {
            const auto index = static_cast<std::uint8_t>((p.x + p.y) % 256);
            const int row = logo::BootScreenRowOf(p.y);
            EXPECT_EQ(Pixel(w, 2 * p.x, row), ScreenColor(table, index)) << p.x << "," << p.y;
            EXPECT_EQ(Pixel(w, 2 * p.x + 1, row), ScreenColor(table, index)) << p.x << "," << p.y;
        }
        // One tick later the cycling entries have moved on by one.
        ASSERT_TRUE(FireTimer(w, CBootScreenWnd::kTickTimer));
        EXPECT_EQ(w.Ticks(), 1u);
        const logo::ColorTable next = logo::TableAfterTicks(table, kCount, 1);
        EXPECT_EQ(Pixel(w, 2 * 240, logo::BootScreenRowOf(0)), ScreenColor(next, 240));
        EXPECT_NE(ScreenColor(next, 240), ScreenColor(table, 240));
        EXPECT_EQ(Pixel(w, 2 * 100, logo::BootScreenRowOf(0)), ScreenColor(table, 100));
    });
    EXPECT_EQ(calls, 1);
    // The window only borrowed the picture: the file is as it was.
    EXPECT_EQ(ReadBytes(StartUpFile()), logo::EncodeLogoFile(m_logo, TableOf(m_logo), true, kCount));
}

TEST_F(BootScreenWindowTest, StatusLineShowsTheFindingsOfTheLogoCheck)
{
    const std::vector<logo::Finding> findings = logo::CheckLogoFile(StartUpFile());
    std::string status;
    WithBootScreen([&](CMainDlg& d) { SendKeyChord(d, 'B', platform::FCONTROL); },
                   [&](CBootScreenWnd& w) { status = QueryControl(w, res::IDC_BOOT_STATUS).text; });
    EXPECT_EQ(status, CBootScreenWnd::StatusText(findings));
    EXPECT_EQ(status.rfind("Logo check: ", 0), 0u);
}

TEST_F(BootScreenWindowTest, StatusLineOfTheStartUpLogoSaysWhatMsdosSysDoesWithItAtBoot)
{
    const std::string options = "[Options]\r\nBootGUI=1\r\nLogo=0\r\n";
    WriteBytes((Drive() / "MSDOS.SYS").string(), std::vector<std::uint8_t>(options.begin(), options.end()));
    std::string status;
    WithBootScreen([&](CMainDlg& d) { SendKeyChord(d, 'B', platform::FCONTROL); },
                   [&](CBootScreenWnd& w) { status = QueryControl(w, res::IDC_BOOT_STATUS).text; });
    EXPECT_EQ(status, "At boot: Logo=0 in C:\\MSDOS.SYS turns the logo off.\n" +
                          CBootScreenWnd::StatusText(logo::CheckLogoFile(StartUpFile())))
        << "what keeps the logo off the screen comes first";
}

TEST_F(BootScreenWindowTest, StatusLineOfACleanLogoSaysNothingWasFound)
{
    EXPECT_EQ(CBootScreenWnd::StatusText({}), "Logo check: nothing found, Windows shows this logo as it is.");
    const std::vector<logo::Finding> two = {{"a", "First.", logo::FindingWeight::Problem},
                                            {"b", "Second.", logo::FindingWeight::Advice}};
    EXPECT_EQ(CBootScreenWnd::StatusText(two), "Logo check: First.\nSecond.");
    EXPECT_EQ(CBootScreenWnd::StatusText({}, {"Windows shows the logo.", false}),
              "Logo check: nothing found, Windows shows this logo as it is.\nAt boot: Windows shows the logo.");
}

// The client area once the window manager has given the window the
// screen's size (a little after F11), or after 2 s.
RECT FullScreenSize(CBootScreenWnd& w, const RECT& before)
{
    RECT client{};
    QElapsedTimer clock;
    clock.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        w.GetClientRect(&client);
    } while (client.bottom == before.bottom && clock.elapsed() < 2000);
    return client;
}

// Every line of the status text lies inside the status line as laid out now.
bool StatusShowsItsWholeText(CBootScreenWnd& w)
{
    w.Invalidate(FALSE);
    w.UpdateWindow();
    const auto* label = qobject_cast<const QLabel*>(platform::WidgetOf(w.GetDlgItem(res::IDC_BOOT_STATUS)));
    if (label == nullptr)
        return false;
    const QRect area = label->contentsRect();
    const QRect needed = label->fontMetrics().boundingRect(area, Qt::TextWordWrap, label->text());
    return !label->text().isEmpty() && needed.height() <= area.height();
}

TEST_F(BootScreenWindowTest, LongFindingsWrapWholeInTheWindowAndAtFullScreen)
{
    // A grey ramp: neighbouring entries differ below 6 bits, in the cycle and out of it.
    for (int i = 0; i < 256; ++i) {
        const auto grey = static_cast<std::uint8_t>(i);
        m_logo.colorTable[static_cast<std::size_t>(i)] = {grey, grey, grey, 0};
    }
    ASSERT_TRUE(platform::WriteLogoFile(StartUpFile(), m_logo, TableOf(m_logo), true, kCount));
    ASSERT_GT(CBootScreenWnd::StatusText(logo::CheckLogoFile(StartUpFile())).size(), 300u);
    RECT picture{};
    bool wholeInWindow = false;
    bool wholeAtFullScreen = false;
    WithBootScreen([&](CMainDlg& d) { SendKeyChord(d, 'B', platform::FCONTROL); }, [&](CBootScreenWnd& w) {
        picture = w.PictureRect();
        wholeInWindow = StatusShowsItsWholeText(w);
        RECT before{};
        w.GetClientRect(&before);
        SendKeyChord(w, VK_F11);
        FullScreenSize(w, before);
        wholeAtFullScreen = w.InFullScreen() && StatusShowsItsWholeText(w);
    });
    // The status line grows under the picture, which keeps the screen's size.
    EXPECT_EQ(picture.right - picture.left, 640);
    EXPECT_EQ(picture.bottom - picture.top, 480);
    EXPECT_TRUE(wholeInWindow);
    EXPECT_TRUE(wholeAtFullScreen);
}

TEST_F(BootScreenWindowTest, F11AndDoubleClickSwitchFullScreenEscapeLeavesItThenCloses)
{
    bool full = false;
    bool statusAlongTheBottom = false;
    bool backAfterEscape = false;
    bool openAfterEscape = false;
    bool doubleClickFull = false;
    bool closedBySecondEscape = false;
    COLORREF border = CLR_INVALID;
    const logo::ColorTable table = TableOf(m_logo);
    WithBootScreen([&](CMainDlg& d) { SendKeyChord(d, 'B', platform::FCONTROL); }, [&](CBootScreenWnd& w) {
        RECT before{};
        w.GetClientRect(&before);
        SendKeyChord(w, VK_F11);
        full = w.InFullScreen();
        const RECT client = FullScreenSize(w, before);
        w.Invalidate(FALSE);
        w.UpdateWindow();
        const RECT status = QueryControl(w, res::IDC_BOOT_STATUS).rect;
        statusAlongTheBottom = status.bottom == client.bottom && status.right == client.right && status.left == 0;
        const RECT picture = w.PictureRect();
        if (picture.left > 0)
            border = Pixel(w, picture.left - 1, picture.top + 1);
        else if (picture.top > 0)
            border = Pixel(w, picture.left + 1, picture.top - 1);
        SendKeyChord(w, VK_ESCAPE);
        backAfterEscape = !w.InFullScreen();
        openAfterEscape = w.IsWindowVisible() != FALSE;
        platform::testing::DoubleClick(w, POINT{100, 100});
        doubleClickFull = w.InFullScreen();
        SendKeyChord(w, VK_ESCAPE);
        SendKeyChord(w, VK_ESCAPE);
        closedBySecondEscape = w.IsWindowVisible() == FALSE;
    });
    EXPECT_TRUE(full);
    EXPECT_TRUE(statusAlongTheBottom);
    EXPECT_TRUE(backAfterEscape);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_TRUE(doubleClickFull);
    EXPECT_TRUE(closedBySecondEscape);
    // Around the picture the screen shows entry 0, as a VGA border does.
    if (border != CLR_INVALID) {
        EXPECT_EQ(border, ScreenColor(table, 0));
    }
}

// Waits until the window's frame changes from `from` (the window manager
// answers a little later), or 2 s.
RECT FrameAfterChange(platform::CWnd& w, const RECT& from)
{
    RECT now{};
    QElapsedTimer clock;
    clock.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        w.GetWindowRect(&now);
    } while (now.left == from.left && now.top == from.top && now.bottom == from.bottom && clock.elapsed() < 2000);
    return now;
}

TEST_F(BootScreenWindowTest, AfterFullScreenTheWindowIsBackWhereItWas)
{
    if (platform::testing::OnWayland())
        GTEST_SKIP() << "Wayland: no client can place its window; the compositor puts it back";
    RECT before{};
    RECT after{};
    WithBootScreen([&](CMainDlg& d) { SendKeyChord(d, 'B', platform::FCONTROL); }, [&](CBootScreenWnd& w) {
        w.SetWindowPos(nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const RECT asked = FrameAfterChange(w, RECT{});
        SendKeyChord(w, VK_F11);
        const RECT full = FrameAfterChange(w, asked);
        SendKeyChord(w, VK_ESCAPE);
        FrameAfterChange(w, full);
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 300)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        before = asked;
        w.GetWindowRect(&after);
    });
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
}

// A large scale factor or a small screen: the picture is shown smaller, in
// its proportions, and the window with its status line fits the work area.
TEST_F(BootScreenWindowTest, APictureLargerThanTheScreenIsShownSmallerAndTheWindowFits)
{
    platform::CPictureWnd window(res::BootScreenTemplate(), res::IDC_BOOT_STATUS);
    logo::RgbImage big;
    big.width = 4000;
    big.height = 3000;
    big.rgb.assign(static_cast<std::size_t>(big.width) * big.height * 3, 90);
    window.SetPicture(big);
    RECT frame{};
    RECT area{};
    RECT picture{};
    platform::testing::ScopedModalHook hook(res::IDD_BOOT_SCREEN, [&](platform::CDialog& d) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        d.GetWindowRect(&frame);
        platform::GetWorkArea(d, &area);
        picture = window.PictureRect();
        d.EndDialog(IDCANCEL);
    });
    window.DoModal();
    EXPECT_LE(frame.right - frame.left, area.right - area.left);
    EXPECT_LE(frame.bottom - frame.top, area.bottom - area.top);
    if (!platform::testing::OnWayland()) {  // a Wayland client cannot know where it is
        EXPECT_GE(frame.left, area.left);
        EXPECT_GE(frame.top, area.top);
        EXPECT_LE(frame.bottom, area.bottom);
    }
    const long long width = picture.right - picture.left;
    const long long height = picture.bottom - picture.top;
    EXPECT_NEAR(static_cast<double>(width) / static_cast<double>(height), 4.0 / 3.0, 0.01);
}

TEST_F(BootScreenWindowTest, NothingToShowGraysTheMenuAndCtrlBOpensNothing)
{
    std::filesystem::remove(StartUpFile());
    ScopedMenuChoice choice(static_cast<UINT_PTR>(res::IDM_BOOT_SCREEN));
    const int calls = WithBootScreen(
        [&](CMainDlg& d) {
            RightClickForMenu(d, PreviewPoint(d));
            SendKeyChord(d, 'B', platform::FCONTROL);
        },
        [](CBootScreenWnd&) {});
    EXPECT_EQ(calls, 0);
    ASSERT_EQ(choice.MenusShown().size(), 1u);
    for (const platform::MenuItem& item : choice.MenusShown()[0])
        EXPECT_NE(item.flags & platform::MF_GRAYED, 0u) << item.text;
}

// --- From the editor's Preview window ---------------------------------------------

TEST_F(BootScreenWindowTest, FromTheEditorsPreviewItFollowsTheWorkingTable)
{
    const logo::ColorTable table = TableOf(m_logo);
    int bootCalls = 0;
    std::vector<std::vector<platform::MenuItem>> menus;
    Run([&](CMainDlg& d) {
        platform::testing::ScopedModalHook editorHook(res::IDD_ANIM, [&](platform::CDialog& dialog) {
            auto& editor = static_cast<CAnimDlg&>(dialog);
            {
                ScopedMenuChoice none(UINT_PTR{0});
                RightClickForMenu(editor.m_preview, POINT{160, 200});
                menus = none.MenusShown();
            }
            platform::testing::ScopedModalHook bootHook(res::IDD_BOOT_SCREEN, [&](platform::CDialog& boot) {
                // The editor stays at hand while the window shows its picture.
                ASSERT_TRUE(platform::testing::ClickControl(editor, res::IDC_ANIM_REVERSE));
                ASSERT_TRUE(FireTimer(boot, CBootScreenWnd::kTickTimer));
                ASSERT_NE(editor.m_colorTable, table);
                // Reversing moved the pixels with the entries: the cycle now runs the other way.
                const logo::ColorTable shown = logo::TableAfterTicks(editor.m_colorTable, kCount, 1);
                const std::uint8_t index = editor.m_picture->pixels[240];
                EXPECT_NE(ScreenColor(shown, index), ScreenColor(logo::TableAfterTicks(table, kCount, 1), 240));
                EXPECT_EQ(Pixel(boot, 2 * 240, 0), ScreenColor(shown, index));
                EXPECT_EQ(Pixel(boot, 2 * 100, 0), ScreenColor(shown, 100));
                boot.EndDialog(IDCANCEL);
            });
            SendKeyChord(editor.m_preview, 'B', platform::FCONTROL);
            bootCalls = bootHook.Calls();
            editor.m_modified = false;
            editor.EndDialog(IDCANCEL);
        });
        ASSERT_TRUE(platform::testing::ClickControl(d, res::IDC_ANIMATE_LOGO));
    });
    EXPECT_EQ(bootCalls, 1);
    ASSERT_EQ(menus.size(), 1u);
    ASSERT_EQ(menus[0].size(), 2u);
    EXPECT_EQ(menus[0][0].flags & platform::MF_GRAYED, 0u);
}

// --- Export Animation... ----------------------------------------------------------

class ExportAnimationTest : public BootScreenWindowTest {
protected:
    // Chooses Export Animation... in the preview's menu with the answer given.
    void Export(const std::string& path, int filterIndex)
    {
        m_prompts.QueueFileDialogAnswer(path, filterIndex);
        ScopedMenuChoice choice(static_cast<UINT_PTR>(res::IDM_EXPORT_ANIMATION));
        Run([&](CMainDlg& d) { RightClickForMenu(d, PreviewPoint(d)); });
    }
};

TEST_F(ExportAnimationTest, SaveDialogOffersGifWebpAndPng)
{
    m_prompts.QueueFileDialogCancel();
    ScopedMenuChoice choice(static_cast<UINT_PTR>(res::IDM_EXPORT_ANIMATION));
    Run([&](CMainDlg& d) { RightClickForMenu(d, PreviewPoint(d)); });
    ASSERT_EQ(m_prompts.FileDialogs().size(), 1u);
    const platform::FileDialogRecord& asked = m_prompts.FileDialogs()[0];
    EXPECT_EQ(asked.request.mode, platform::FileDialogMode::Save);
    EXPECT_EQ(asked.request.title, "Export Animation");
    ASSERT_EQ(asked.filters.size(), 3u);
    EXPECT_EQ(asked.filters[0].patterns, std::vector<std::string>{"*.gif"});
    EXPECT_EQ(asked.filters[1].patterns, std::vector<std::string>{"*.webp"});
    EXPECT_EQ(asked.filters[2].patterns, std::vector<std::string>{"*.png"});
    EXPECT_TRUE(MessagesShown().empty());
}

TEST_F(ExportAnimationTest, GifHoldsOneFramePerEntryOfTheCycle)
{
    const std::string path = Picture("cycle.gif");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    Export(path, 0);
    const export_testing::DecodedGif gif = export_testing::DecodeGif(ReadBytes(path));
    ASSERT_TRUE(gif.ok) << gif.error;
    ASSERT_EQ(gif.frames.size(), std::size_t{kCount});
    EXPECT_EQ(gif.width, 320);
    EXPECT_EQ(gif.height, 400);
    const logo::ColorTable table = TableOf(m_logo);
    for (const unsigned k : {0u, 1u, 20u}) {
        const logo::RgbQuad want = logo::TableAfterTicks(table, kCount, k)[240];
        const std::uint8_t* got = gif.frames[k].PixelAt(240, 0);  // pixel (240, 0) uses entry 240
        EXPECT_EQ(got[0], want.red) << k;
        EXPECT_EQ(got[1], want.green) << k;
        EXPECT_EQ(got[2], want.blue) << k;
    }
    EXPECT_TRUE(MessagesShown().empty());
}

TEST_F(ExportAnimationTest, WebpAndPngFollowTheChosenType)
{
    const std::string webp = Picture("cycle");
    std::filesystem::create_directories(std::filesystem::path(webp).parent_path());
    Export(webp, 1);
    const export_testing::DecodedWebp decoded = export_testing::DecodeWebp(ReadBytes(webp + ".webp"));
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.width, 320);

    const std::string png = Picture("still.png");
    Export(png, 2);
    const logo::RgbImage image = export_testing::DecodePng(ReadBytes(png));
    EXPECT_EQ(image.width, 320);
    EXPECT_EQ(image.height, 400);
    EXPECT_TRUE(MessagesShown().empty());
}

TEST_F(ExportAnimationTest, FailureIsReportedAndLeavesNoFile)
{
    const std::string path = (Root() / "no such folder" / "cycle.gif").string();
    Export(path, 0);
    EXPECT_FALSE(std::filesystem::exists(path));
    const std::vector<Shown> shown = MessagesShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.rfind("The animation could not be exported: ", 0), 0u) << shown[0].text;
    EXPECT_GT(shown[0].text.size(), std::string("The animation could not be exported: ").size());
    EXPECT_EQ(shown[0].caption, "Error");
    EXPECT_EQ(shown[0].icon, platform::MessageBoxIcon::Stop);
}

}  // namespace
}  // namespace appletui
