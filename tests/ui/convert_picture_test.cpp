// Any picture becomes a logo from the main dialog: Browse's "All Pictures",
// the Convert Picture dialog driven offscreen through its controls, the
// logos it keeps in the user's data folder, and files dropped onto the
// main dialog.

#include "MainDialogFixture.h"
#include "platform/testing/FileDropTesting.h"
#include "ui/main/CConvertPictureDlg.h"

#include "platform/qt/HwndWidget.h"

#include <QImage>
#include <QLabel>
#include <QString>

#include <algorithm>

#include <sys/stat.h>

namespace appletui {
namespace {

using platform::testing::ClickControl;
using platform::testing::ScopedModalHook;

class ConvertPictureTest : public MainDialogTest {
protected:
    void SetUp() override
    {
        MainDialogTest::SetUp();
        setenv("XDG_DATA_HOME", (Root() / "data").c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("XDG_DATA_HOME");
        MainDialogTest::TearDown();
    }

    std::filesystem::path PicturesFolder() const { return Root() / "data" / "lumivane" / "pictures"; }

    // A 16:9 PNG: red on the left, blue on the right.
    std::string WriteWidePng(const std::string& name)
    {
        const std::string path = Picture(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        QImage image(160, 90, QImage::Format_RGB32);
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 160; ++x)
                image.setPixel(x, y, x < 80 ? qRgb(230, 20, 20) : qRgb(20, 20, 230));
        EXPECT_TRUE(image.save(QString::fromStdString(path), "png"));
        return path;
    }

    // Runs the main dialog; Browse picks `chosen`, and `convert` plays the
    // user in Convert Picture when it opens.
    void BrowseAndConvert(const std::string& chosen, const std::function<void(CConvertPictureDlg&)>& convert)
    {
        m_prompts.QueueFileDialogAnswer(chosen);
        ScopedModalHook hook(res::IDD_CONVERT_PICTURE,
                             [&](platform::CDialog& d) { convert(dynamic_cast<CConvertPictureDlg&>(d)); });
        Run([&](CMainDlg& d) {
            ClickControl(d, res::IDC_SHUTDOWN);
            ClickControl(d, res::IDC_BROWSE);
            m_pair = ReadApplyPair(d);
        });
        m_hookCalls = hook.Calls();
    }

    ApplyPair m_pair;
    int m_hookCalls = 0;
};

std::vector<std::uint8_t> PixelsOf(const logo::Picture* picture)
{
    return picture != nullptr ? picture->pixels : std::vector<std::uint8_t>{};
}

// --- Browse ---------------------------------------------------------------------

TEST_F(ConvertPictureTest, OkMakesTheLogoTheSlotsPendingSource)
{
    WriteSystemLogos();
    const std::string png = WriteWidePng("holiday.png");
    int viewWidth = 0;
    int viewHeight = 0;
    BrowseAndConvert(png, [&](CConvertPictureDlg& d) {
        ASSERT_NE(d.ResultView(), nullptr);
        viewWidth = d.ResultView()->width;
        viewHeight = d.ResultView()->height;
        ClickControl(d, IDOK);
    });

    const std::string logoPath = (PicturesFolder() / "holiday.bmp").string();
    EXPECT_EQ(m_hookCalls, 1);
    EXPECT_EQ(viewWidth, 200);  // the 4:3 screen's shape
    EXPECT_EQ(viewHeight, 150);
    EXPECT_EQ(m_pair, kChoicesWaiting);
    EXPECT_EQ(m_dialog.Pending(), (PendingSources{"", "", logoPath}));
    EXPECT_EQ(Stored("LastLogo", "path"), png);
    EXPECT_TRUE(logo::HasExactLogoLayout(logoPath));
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
}

// The labels' text, descenders included, fits them in the font the system
// stands in for the template's (taller than the template's own).
TEST_F(ConvertPictureTest, EveryLabelShowsItsWholeText)
{
    const std::string png = WriteWidePng("holiday.png");
    std::vector<std::string> cut;
    BrowseAndConvert(png, [&](CConvertPictureDlg& d) {
        for (const QLabel* label : platform::WidgetOf(&d)->findChildren<QLabel*>()) {
            if (!label->text().isEmpty() && label->heightForWidth(label->width()) > label->height())
                cut.push_back(label->text().toStdString());
        }
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(m_hookCalls, 1);
    EXPECT_EQ(cut, std::vector<std::string>{});
}

TEST_F(ConvertPictureTest, OkNeverReplacesALogoConvertedBefore)
{
    const std::string png = WriteWidePng("holiday.png");
    WriteBytes((PicturesFolder() / "holiday.bmp").string(), {'k', 'e', 'e', 'p'});
    BrowseAndConvert(png, [](CConvertPictureDlg& d) { ClickControl(d, IDOK); });
    EXPECT_EQ(ReadBytes((PicturesFolder() / "holiday.bmp").string()), (Bytes{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(m_dialog.Pending()[2], (PicturesFolder() / "holiday (2).bmp").string());
    EXPECT_TRUE(logo::IsLogoFile(m_dialog.Pending()[2]));
}

TEST_F(ConvertPictureTest, CancelChangesNothing)
{
    WriteSystemLogos();
    const std::string png = WriteWidePng("holiday.png");
    BrowseAndConvert(png, [](CConvertPictureDlg& d) { ClickControl(d, IDCANCEL); });
    EXPECT_EQ(m_hookCalls, 1);
    EXPECT_EQ(m_pair, kNothingWaiting);
    EXPECT_EQ(m_dialog.Pending(), (PendingSources{"", "", ""}));
    EXPECT_EQ(Stored("LastLogo", "path"), "<absent>");
    EXPECT_FALSE(std::filesystem::exists(PicturesFolder() / "holiday.bmp"));
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
}

TEST_F(ConvertPictureTest, ALogoThatCannotBeKeptIsReportedAndTheDialogStays)
{
    WriteSystemLogos();
    const std::string png = WriteWidePng("holiday.png");
    // A file where the pictures folder belongs: nothing can be written there.
    WriteBytes(PicturesFolder().string(), {'x'});
    bool stillOpen = false;
    BrowseAndConvert(png, [&](CConvertPictureDlg& d) {
        ClickControl(d, IDOK);
        stillOpen = d.IsWindowVisible();
        ClickControl(d, IDCANCEL);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(MessagesShown(), (std::vector<Shown>{{"The converted logo could not be saved.", "Error",
                                                    platform::MessageBoxIcon::Stop, platform::MessageBoxButtons::Ok}}));
    EXPECT_EQ(m_pair, kNothingWaiting);
    EXPECT_EQ(ReadBytes(PicturesFolder().string()), (Bytes{'x'}));
}

TEST_F(ConvertPictureTest, ABitmapThatIsNoLogoIsStillRefused)
{
    WriteBitmap(Picture("wide.bmp"), 640, 480, 8);
    m_prompts.QueueFileDialogAnswer(Picture("wide.bmp"));
    ScopedModalHook hook(res::IDD_CONVERT_PICTURE, [](platform::CDialog& d) { ClickControl(d, IDCANCEL); });
    Run([](CMainDlg& d) { ClickControl(d, res::IDC_BROWSE); });
    EXPECT_EQ(hook.Calls(), 0);
    EXPECT_EQ(MessagesShown(), (std::vector<Shown>{{"The selected file is not a logo.", "Error",
                                                    platform::MessageBoxIcon::Exclamation,
                                                    platform::MessageBoxButtons::Ok}}));
}

// --- The dialog's controls ---------------------------------------------------------

TEST_F(ConvertPictureTest, EveryControlChangesTheResultAtOnce)
{
    const std::string png = WriteWidePng("holiday.png");
    m_prompts.QueueColorAnswer({true, 0x0000FF});  // red
    std::vector<std::uint8_t> fit, stretch, afterColour;
    convert::Geometry shape = convert::Geometry::Fit;
    int reserved = 0;
    float dither = 0;
    BrowseAndConvert(png, [&](CConvertPictureDlg& d) {
        fit = PixelsOf(d.ResultView());
        ClickControl(d, res::IDC_CONVERT_STRETCH);
        stretch = PixelsOf(d.ResultView());
        shape = d.Options().geometry;
        d.SetDlgItemText(res::IDC_CONVERT_RESERVED, "50");
        d.SetDlgItemText(res::IDC_CONVERT_DITHER, "25");
        reserved = d.Options().reserved;
        dither = d.Options().dither;
        ClickControl(d, res::IDC_CONVERT_FIT);
        ClickControl(d, res::IDC_CONVERT_FILL_COLOR);
        afterColour = PixelsOf(d.ResultView());
        ClickControl(d, IDOK);
    });
    EXPECT_NE(fit, stretch);
    EXPECT_EQ(shape, convert::Geometry::Stretch);
    EXPECT_EQ(reserved, 50);
    EXPECT_FLOAT_EQ(dither, 0.25f);
    EXPECT_NE(afterColour, fit);  // the bands turned red

    logo::LoadResult written = logo::LoadBmpFile(m_dialog.Pending()[2]);
    ASSERT_TRUE(written);
    EXPECT_EQ(written.picture->colorTable[0], (logo::RgbQuad{0, 0, 255, 0}));
    EXPECT_EQ(written.picture->pixels.front(), 0);  // a band at the top
    EXPECT_LT(*std::max_element(written.picture->pixels.begin(), written.picture->pixels.end()), 206);
}

TEST_F(ConvertPictureTest, AFieldOutOfRangeKeepsTheResultAndOkSaysWhy)
{
    WriteSystemLogos();
    const std::string png = WriteWidePng("holiday.png");
    bool stillOpen = false;
    std::vector<std::uint8_t> before, during;
    BrowseAndConvert(png, [&](CConvertPictureDlg& d) {
        before = PixelsOf(d.ResultView());
        d.SetDlgItemText(res::IDC_CONVERT_RESERVED, "300");
        during = PixelsOf(d.ResultView());
        ClickControl(d, IDOK);
        stillOpen = d.IsWindowVisible();
        d.SetDlgItemText(res::IDC_CONVERT_RESERVED, "21");
        d.SetDlgItemText(res::IDC_CONVERT_DITHER, "101");
        ClickControl(d, IDOK);
        d.SetDlgItemText(res::IDC_CONVERT_DITHER, "100");
        ClickControl(d, IDOK);
    });
    EXPECT_EQ(before, during);
    EXPECT_TRUE(stillOpen);
    const platform::MessageBoxIcon warn = platform::MessageBoxIcon::Exclamation;
    EXPECT_EQ(MessagesShown(),
              (std::vector<Shown>{
                  {"Please enter a number of reserved entries between 0 and 255.", "Convert Picture", warn,
                   platform::MessageBoxButtons::Ok},
                  {"Please enter a dithering strength between 0 and 100.", "Convert Picture", warn,
                   platform::MessageBoxButtons::Ok}}));
    EXPECT_EQ(m_pair, kChoicesWaiting);
}

TEST_F(ConvertPictureTest, ControlsHaveTooltips)
{
    WriteSystemLogos();
    const std::string png = WriteWidePng("holiday.png");
    std::optional<std::string> dither, shape;
    BrowseAndConvert(png, [&](CConvertPictureDlg& d) {
        dither = platform::testing::ToolTipText(d, res::IDC_CONVERT_DITHER);
        shape = platform::testing::ToolTipText(d, res::IDC_CONVERT_FILL);
        ClickControl(d, IDCANCEL);
    });
    EXPECT_EQ(dither, "Displays the dithering strength, from 0 (none) to 100 (full)");
    EXPECT_EQ(shape, "Covers the whole screen and crops what does not fit");
}

// --- Drops onto the main dialog ------------------------------------------------------

TEST_F(ConvertPictureTest, ADroppedLogoIsTakenAsBrowseTakesIt)
{
    WriteSystemLogos();
    WriteLogo(Picture("sunset.bmp"), 40);
    bool accepted = false;
    std::vector<logo::RgbQuad> table;
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_PRESHUTDOWN);
        accepted = platform::testing::DropFile(d, Picture("sunset.bmp"));
        m_pair = ReadApplyPair(d);
        table = PreviewTable(d);
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(m_pair, kChoicesWaiting);
    EXPECT_EQ(m_dialog.Pending(), (PendingSources{"", Picture("sunset.bmp"), ""}));
    EXPECT_EQ(Stored("LastLogo", "path"), Picture("sunset.bmp"));
    EXPECT_EQ(table, testing_support::MakeVariedLogo(40).colorTable);
}

TEST_F(ConvertPictureTest, ADroppedPictureOpensConvertPicture)
{
    const std::string png = WriteWidePng("holiday.png");
    ScopedModalHook hook(res::IDD_CONVERT_PICTURE, [](platform::CDialog& d) { ClickControl(d, IDOK); });
    Run([&](CMainDlg& d) {
        ClickControl(d, res::IDC_SHUTDOWN);
        platform::testing::DropFile(d, png);
    });
    EXPECT_EQ(hook.Calls(), 1);
    EXPECT_EQ(m_dialog.Pending()[2], (PicturesFolder() / "holiday.bmp").string());
    EXPECT_EQ(Stored("LastLogo", "path"), png);
}

TEST_F(ConvertPictureTest, ADroppedFileThatIsNoPictureIsRefused)
{
    WriteSystemLogos();
    WriteBytes(Picture("notes.txt"), Bytes(300, 'x'));
    Run([&](CMainDlg& d) { platform::testing::DropFile(d, Picture("notes.txt")); });
    EXPECT_EQ(MessagesShown(), (std::vector<Shown>{{"The selected file is not a logo.", "Error",
                                                    platform::MessageBoxIcon::Exclamation,
                                                    platform::MessageBoxButtons::Ok}}));
    EXPECT_EQ(m_dialog.Pending(), (PendingSources{"", "", ""}));
}

TEST_F(ConvertPictureTest, ADroppedPipeIsRefusedWithoutWaitingForAWriter)
{
    WriteSystemLogos();
    std::filesystem::create_directories(Root() / "pictures");
    ASSERT_EQ(mkfifo(Picture("pipe.png").c_str(), 0600), 0);
    Run([&](CMainDlg& d) { platform::testing::DropFile(d, Picture("pipe.png")); });
    EXPECT_EQ(MessagesShown(), (std::vector<Shown>{{"The selected file is not a logo.", "Error",
                                                    platform::MessageBoxIcon::Exclamation,
                                                    platform::MessageBoxButtons::Ok}}));
}

}  // namespace
}  // namespace appletui
