// The real message box: caption, text, icon, buttons, default button and the
// answers of its buttons and keys, inspected on the open QMessageBox.

#include "platform/ui/MessageBoxStyle.h"
#include "platform/qt/MessageBoxText.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/ModalWidgetWatcher.h"
#include "platform/qt/testing/UiTesting.h"
#include "platform/ui/CWnd.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <string>

using services_test::WhenModalOpens;

namespace {

struct BoxCase {
    const char* name;
    UINT type;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    int escapeAnswer;
    int enterAnswer;
};

void PrintTo(const BoxCase& c, std::ostream* os)
{
    *os << c.name;
}

struct SeenBox {
    QString caption;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QWidget* parent = nullptr;
};

// Records the box when it opens, then sends it one key.
void InspectThenPress(SeenBox& seen, Qt::Key key)
{
    WhenModalOpens([&seen, key](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            ADD_FAILURE() << "not a message box";
            modal->close();
            return;
        }
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.format = box->textFormat();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
        seen.parent = box->parentWidget();
        QTest::keyClick(box, key);
    });
}

class QtMessageBoxTest : public testing::TestWithParam<BoxCase> {};

TEST_P(QtMessageBoxTest, ShowsTheBoxAskedForAndEscapeGivesItsAnswer)
{
    const BoxCase& c = GetParam();
    platform::QtPrompts prompts;
    SeenBox seen;
    InspectThenPress(seen, Qt::Key_Escape);
    const int answer = prompts.MessageBox(nullptr, "First line.\nSecond line.", "Caption Text", c.type);

    EXPECT_EQ(seen.caption, "Caption Text");
    EXPECT_EQ(seen.text, "First line.\nSecond line.");
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.buttons, c.buttons);
    EXPECT_EQ(seen.defaultButton, c.defaultButton);
    EXPECT_EQ(answer, c.escapeAnswer);
}

TEST_P(QtMessageBoxTest, EnterPressesTheDefaultButton)
{
    platform::QtPrompts prompts;
    SeenBox seen;
    InspectThenPress(seen, Qt::Key_Return);
    EXPECT_EQ(prompts.MessageBox(nullptr, "Text", "Caption", GetParam().type), GetParam().enterAnswer);
}

INSTANTIATE_TEST_SUITE_P(
    Types, QtMessageBoxTest,
    testing::Values(
        BoxCase{"ErrorWithStopIcon", MB_OK | MB_ICONHAND, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok,
                IDOK, IDOK},
        BoxCase{"RefusalWithExclamationIcon", MB_OK | MB_ICONEXCLAMATION, QMessageBox::Warning, QMessageBox::Ok,
                QMessageBox::Ok, IDOK, IDOK},
        BoxCase{"AlertYesNoWithNoAsDefault", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, QMessageBox::Warning,
                QMessageBox::Yes | QMessageBox::No, QMessageBox::No, IDNO, IDNO},
        BoxCase{"QuestionYesNo", MB_YESNO | MB_ICONQUESTION, QMessageBox::Question,
                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, IDNO, IDYES},
        BoxCase{"Information", MB_OK | MB_ICONINFORMATION, QMessageBox::Information, QMessageBox::Ok,
                QMessageBox::Ok, IDOK, IDOK},
        BoxCase{"NoIcon", MB_OK, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, IDOK, IDOK},
        BoxCase{"OkCancelWithCancelAsDefault", 0x1 | MB_DEFBUTTON2, QMessageBox::NoIcon,
                QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel, IDCANCEL, IDCANCEL},
        BoxCase{"DefaultBeyondTheButtonsFallsBackToFirst", MB_YESNO | 0x200, QMessageBox::NoIcon,
                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, IDNO, IDYES}),
    [](const testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

int ClickAndAnswer(UINT type, QMessageBox::StandardButton which)
{
    platform::QtPrompts prompts;
    WhenModalOpens([which](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QAbstractButton* button = box ? box->button(which) : nullptr;
        if (!button) {
            ADD_FAILURE() << "button missing";
            modal->close();
            return;
        }
        button->click();
    });
    return prompts.MessageBox(nullptr, "Text", "Caption", type);
}

TEST(QtMessageBox, EachButtonGivesItsAnswer)
{
    EXPECT_EQ(ClickAndAnswer(MB_YESNO, QMessageBox::Yes), IDYES);
    EXPECT_EQ(ClickAndAnswer(MB_YESNO, QMessageBox::No), IDNO);
    EXPECT_EQ(ClickAndAnswer(MB_OK, QMessageBox::Ok), IDOK);
    EXPECT_EQ(ClickAndAnswer(0x1, QMessageBox::Cancel), IDCANCEL);
    EXPECT_EQ(ClickAndAnswer(0x3, QMessageBox::Cancel), IDCANCEL);
}

TEST(QtMessageBox, MarkupInTheTextIsShownAsIs)
{
    platform::QtPrompts prompts;
    SeenBox seen;
    InspectThenPress(seen, Qt::Key_Escape);
    prompts.MessageBox(nullptr, "<b>C:\\x<y>.bmp</b>", "Error", MB_OK | MB_ICONHAND);
    EXPECT_EQ(seen.text, "<b>C:\\x<y>.bmp</b>");
    EXPECT_EQ(seen.format, Qt::PlainText);
}

TEST(QtMessageBox, ALongMessageBreaksAtBlanksAndNeverInsideAPath)
{
    const std::string path = "C:\\WINDOWS\\SYSTEM\\New.tpl";
    const std::string text = "The new logo template was not found. Please ensure that file " + path +
                             " exists and is a valid bitmap file, then try to create the new logo again.";
    platform::QtPrompts prompts;
    QString shown;
    bool wrapsItself = true;
    WhenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        shown = box->text();
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
            wrapsItself = label->wordWrap();
        box->close();
    });
    prompts.MessageBox(nullptr, text, "Error", MB_OK | MB_ICONEXCLAMATION);

    // The lines are ours, made at blanks; the box keeps them as they are.
    EXPECT_FALSE(wrapsItself);
    EXPECT_GT(shown.count(QLatin1Char('\n')), 0);
    QString rejoined = shown;
    rejoined.replace(QLatin1Char('\n'), QLatin1Char(' '));
    EXPECT_EQ(rejoined.toStdString(), text);
    bool pathWhole = false;
    for (const QString& line : shown.split(QLatin1Char('\n')))
        pathWhole = pathWhole || line.contains(QString::fromStdString(path));
    EXPECT_TRUE(pathWhole) << shown.toStdString();
}

TEST(MessageBoxText, FillsLinesUpToTheWidthAndKeepsLongWordsWhole)
{
    const QFontMetrics metrics(QApplication::font());
    const int width = metrics.horizontalAdvance(QStringLiteral("aaaa bbbb"));
    EXPECT_EQ(platform::WrapAtBlanks(QStringLiteral("aaaa bbbb cccc"), metrics, width), "aaaa bbbb\ncccc");
    EXPECT_EQ(platform::WrapAtBlanks(QStringLiteral("a C:\\VERY\\LONG\\PATH\\NAME.BMP b"), metrics, width),
              "a\nC:\\VERY\\LONG\\PATH\\NAME.BMP\nb");
    // Lines the caller broke stay broken there.
    EXPECT_EQ(platform::WrapAtBlanks(QStringLiteral("one\ntwo"), metrics, width), "one\ntwo");
}

// Qt's own title bar would offer a minimise that hides the box for good
// while its owner waits: the box draws its caption with a close box alone,
// which answers as Escape does.
TEST(QtMessageBox, UnderWaylandTheCaptionOffersOnlyACloseBoxThatCancels)
{
    if (!platform::testing::OnWayland())
        GTEST_SKIP() << "the window manager draws the caption here";
    platform::QtPrompts prompts;
    bool frameless = false;
    std::vector<std::string> buttons;
    bool closed = false;
    WhenModalOpens([&](QWidget* modal) {
        platform::CWnd& box = *platform::CWnd::FromHandle(reinterpret_cast<HWND>(modal));
        frameless = modal->windowHandle()->flags().testFlag(Qt::FramelessWindowHint);
        buttons = platform::testing::CaptionButtons(box);
        closed = platform::testing::ClickCaptionClose(box);
        if (!closed)
            modal->close();
    });
    EXPECT_EQ(prompts.MessageBox(nullptr, "Text", "Caption", 0x1 /* MB_OKCANCEL */), IDCANCEL);
    EXPECT_TRUE(frameless);
    EXPECT_EQ(buttons, std::vector<std::string>{"Close"});
    EXPECT_TRUE(closed);
}

TEST(QtMessageBox, BelongsToItsOwnerWindow)
{
    QWidget owner;
    owner.show();
    platform::QtPrompts prompts;
    SeenBox seen;
    InspectThenPress(seen, Qt::Key_Escape);
    prompts.MessageBox(reinterpret_cast<HWND>(&owner), "Text", "Caption", MB_OK);
    EXPECT_EQ(seen.parent, &owner);
}

TEST(MessageBoxStyle, DecodesTheTypeWord)
{
    const auto alert = platform::DecodeMessageBoxType(308);  // MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2
    EXPECT_EQ(alert.buttons, platform::MessageBoxButtons::YesNo);
    EXPECT_EQ(alert.icon, platform::MessageBoxIcon::Exclamation);
    EXPECT_EQ(alert.defaultButton, 1);

    const auto error = platform::DecodeMessageBoxType(0x10);
    EXPECT_EQ(error.buttons, platform::MessageBoxButtons::Ok);
    EXPECT_EQ(error.icon, platform::MessageBoxIcon::Stop);
    EXPECT_EQ(error.defaultButton, 0);

    // Abort/Retry/Ignore is not used by the program: a single OK button.
    EXPECT_EQ(platform::DecodeMessageBoxType(0x2).buttons, platform::MessageBoxButtons::Ok);
    EXPECT_EQ(platform::DecodeMessageBoxType(MB_OK | MB_DEFBUTTON2).defaultButton, 0);
}

}  // namespace
