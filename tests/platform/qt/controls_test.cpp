// Controls built from a template: geometry, radio groups, data exchange,
// combo box selection, edit notifications, tooltips and picture statics.

#include "platform/qt/DialogTestSupport.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDC.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/Ddx.h"
#include "platform/qt/testing/UiTesting.h"

#include "logo/Picture.h"

#include <gtest/gtest.h>

namespace {

using namespace uitest;
namespace pt = platform::testing;

// The kinds template with a message map that counts notifications and a
// data exchange for the radio group, the number field and the combo box.
class KindsDialog : public platform::CDialog {
public:
    KindsDialog() : CDialog(kKindsTemplate) {}

    int radio = 0;
    int number = 7;
    std::string path;
    int clicks[4] = {};
    int numberChanges = 0;
    int numberKillFocus = 0;
    UINT handlerTip = 0;

    const platform::MessageMapBase* GetMessageMap() const override
    {
        static constexpr auto map = platform::MakeMessageMap<KindsDialog>(
            platform::OnBnClicked(IDC_ONE, &KindsDialog::OnOne), platform::OnBnClicked(IDC_TWO, &KindsDialog::OnTwo),
            platform::OnBnClicked(IDC_PUSH, &KindsDialog::OnPush),
            platform::OnEnChange(IDC_NUMBER, &KindsDialog::OnNumberChange),
            platform::OnEnKillFocus(IDC_NUMBER, &KindsDialog::OnNumberKillFocus),
            platform::ToolTipString(IDC_PUSH, IDS_TIP_PUSH), platform::ToolTipString(IDC_FRAME, IDS_TIP_FRAME),
            platform::OnToolTipNeedText(&KindsDialog::TipFromHandler));
        return &map;
    }

protected:
    void DoDataExchange(platform::CDataExchange* dx) override
    {
        platform::DDX_Radio(dx, IDC_ONE, radio);
        platform::DDX_Text(dx, IDC_NUMBER, number);
        platform::DDX_CBString(dx, IDC_COMBO, path);
    }

private:
    void OnOne() { ++clicks[1]; }
    void OnTwo() { ++clicks[2]; }
    void OnPush() { ++clicks[0]; }
    void OnNumberChange() { ++numberChanges; }
    void OnNumberKillFocus() { ++numberKillFocus; }
    UINT TipFromHandler(int id) { return id == IDC_NUMBER ? handlerTip : 0; }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallResources();
        ASSERT_TRUE(dialog.Create());
    }
    void TearDown() override { dialog.DestroyWindow(); }

    platform::CComboBox& Combo() { return *dialog.GetDlgItemAs<platform::CComboBox>(IDC_COMBO); }

    KindsDialog dialog;
};

struct GeometryCase {
    const char* name;
    int id;
    RECT rect;
};

class ControlGeometryTest : public ControlsTest, public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(ControlGeometryTest, ControlSitsAtItsTemplateRectangle)
{
    const GeometryCase& c = GetParam();
    const pt::ControlState state = pt::QueryControl(dialog, c.id);
    ASSERT_TRUE(state.exists);
    EXPECT_TRUE(SameRect(state.rect, c.rect)) << state.rect.left << "," << state.rect.top << "," << state.rect.right
                                              << "," << state.rect.bottom;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ControlGeometryTest,
    ::testing::Values(GeometryCase{"PushButton", IDC_PUSH, {15, 16, 90, 39}},
                      GeometryCase{"RadioPushLike", IDC_ONE, {105, 16, 165, 39}},
                      GeometryCase{"DefaultButton", IDC_DEFAULT, {180, 16, 255, 40}},
                      GeometryCase{"BitmapButtonHalves", IDC_FACE, {180, 49, 200, 69}},
                      GeometryCase{"GroupBox", IDC_GROUP, {8, 98, 158, 163}},
                      GeometryCase{"NumberEdit", IDC_NUMBER, {83, 176, 143, 196}},
                      GeometryCase{"ComboClosedField", IDC_COMBO, {150, 176, 270, 197}},
                      GeometryCase{"Picture", IDC_PICTURE, {285, 16, 345, 81}},
                      GeometryCase{"BlackFrame", IDC_FRAME, {285, 98, 315, 114}},
                      GeometryCase{"EtchedLine", IDC_LINE, {8, 211, 158, 213}},
                      GeometryCase{"CancelButton", IDCANCEL, {285, 195, 345, 218}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlsTest, StylesShowInTheControls)
{
    EXPECT_FALSE(pt::QueryControl(dialog, IDC_HIDDEN).visible);
    EXPECT_TRUE(pt::QueryControl(dialog, IDC_FRAME).visible);
    EXPECT_FALSE(pt::QueryControl(dialog, IDC_OFF).enabled);
    EXPECT_TRUE(pt::QueryControl(dialog, IDC_DEFAULT).isDefault);
    EXPECT_FALSE(pt::QueryControl(dialog, IDC_PUSH).isDefault);
    EXPECT_TRUE(pt::QueryControl(dialog, IDC_ONE).flat);
    EXPECT_FALSE(pt::QueryControl(dialog, IDC_PUSH).flat);
    EXPECT_EQ(pt::QueryControl(dialog, IDC_NAME).text, "&Name");
    EXPECT_FALSE(pt::QueryControl(dialog, 4242).exists);
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(IDC_PUSH)->GetDlgCtrlID(), IDC_PUSH);
}

TEST_F(ControlsTest, ClientRectLeavesOutTheEdges)
{
    RECT client{};
    dialog.GetDlgItem(IDC_FRAME)->GetClientRect(&client);
    EXPECT_EQ(client.right, 28);
    EXPECT_EQ(client.bottom, 14);
    RECT window{};
    dialog.GetDlgItem(IDC_FRAME)->GetWindowRect(&window);
    dialog.ScreenToClient(&window);
    EXPECT_TRUE(SameRect(window, RECT{285, 98, 315, 114}));
}

TEST_F(ControlsTest, ClickedRadioButtonAloneStaysDown)
{
    ASSERT_TRUE(pt::ClickControl(dialog, IDC_TWO));
    EXPECT_FALSE(pt::QueryControl(dialog, IDC_ONE).checked);
    EXPECT_TRUE(pt::QueryControl(dialog, IDC_TWO).checked);
    EXPECT_FALSE(pt::QueryControl(dialog, IDC_THREE).checked);
    EXPECT_EQ(dialog.clicks[2], 1);
    ASSERT_TRUE(pt::ClickControl(dialog, IDC_TWO));
    EXPECT_TRUE(pt::QueryControl(dialog, IDC_TWO).checked) << "clicking the pressed button keeps it down";
    ASSERT_TRUE(pt::ClickControl(dialog, IDC_THREE));
    EXPECT_FALSE(pt::QueryControl(dialog, IDC_TWO).checked);
    EXPECT_TRUE(pt::QueryControl(dialog, IDC_THREE).checked);
}

TEST_F(ControlsTest, DisabledButtonIgnoresClicks)
{
    EXPECT_FALSE(pt::ClickControl(dialog, IDC_OFF));
    dialog.GetDlgItem(IDC_PUSH)->EnableWindow(FALSE);
    EXPECT_FALSE(pt::ClickControl(dialog, IDC_PUSH));
    EXPECT_EQ(dialog.clicks[0], 0);
    EXPECT_EQ(dialog.GetDlgItem(IDC_PUSH)->EnableWindow(TRUE), TRUE) << "reports it was disabled";
    EXPECT_TRUE(pt::ClickControl(dialog, IDC_PUSH));
    EXPECT_EQ(dialog.clicks[0], 1);
}

struct RadioCase {
    const char* name;
    int value;
    bool one, two, three;
};

class RadioExchangeTest : public ControlsTest, public ::testing::WithParamInterface<RadioCase> {};

TEST_P(RadioExchangeTest, IndexRoundTripsThroughTheGroup)
{
    const RadioCase& c = GetParam();
    dialog.radio = c.value;
    ASSERT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(pt::QueryControl(dialog, IDC_ONE).checked, c.one);
    EXPECT_EQ(pt::QueryControl(dialog, IDC_TWO).checked, c.two);
    EXPECT_EQ(pt::QueryControl(dialog, IDC_THREE).checked, c.three);
    dialog.radio = 99;
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.radio, c.value);
}

INSTANTIATE_TEST_SUITE_P(Values, RadioExchangeTest,
                         ::testing::Values(RadioCase{"First", 0, true, false, false},
                                           RadioCase{"Last", 2, false, false, true},
                                           RadioCase{"NoneChecked", -1, false, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlsTest, RadioGroupEndsAtTheNextGroupControl)
{
    // IDC_DEFAULT starts a new group, so a click on it leaves the radios alone.
    pt::ClickControl(dialog, IDC_ONE);
    pt::ClickControl(dialog, IDC_DEFAULT);
    EXPECT_TRUE(pt::QueryControl(dialog, IDC_ONE).checked);
}

struct ComboCase {
    const char* name;
    const char* value;
    int selected;
    const char* shown;
};

class ComboExchangeTest : public ControlsTest, public ::testing::WithParamInterface<ComboCase> {};

TEST_P(ComboExchangeTest, WritingSelectsByPrefixOrSetsTheText)
{
    const ComboCase& c = GetParam();
    Combo().AddString("C:\\WINDOWS\\pbrush.exe");
    Combo().AddString("c:\\tools\\paint.exe");
    Combo().AddString("");
    dialog.path = c.value;
    ASSERT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(Combo().GetCurSel(), c.selected);
    EXPECT_EQ(Combo().GetWindowText(), c.shown);
    dialog.path.clear();
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.path, c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ComboExchangeTest,
    ::testing::Values(ComboCase{"ExactEntry", "c:\\tools\\paint.exe", 1, "c:\\tools\\paint.exe"},
                      ComboCase{"PrefixIgnoringCase", "c:\\windows", 0, "C:\\WINDOWS\\pbrush.exe"},
                      ComboCase{"EmptyMatchesFirst", "", 0, "C:\\WINDOWS\\pbrush.exe"},
                      ComboCase{"NoMatchKeepsTextAsIs", " D:\\my editor.exe ", -1, " D:\\my editor.exe "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlsTest, EmptyComboTakesTheTextAndAddingKeepsIt)
{
    dialog.path = "C:\\paint.exe";
    dialog.UpdateData(FALSE);
    EXPECT_EQ(Combo().GetWindowText(), "C:\\paint.exe");
    EXPECT_EQ(Combo().AddString("C:\\paint.exe"), 0);
    EXPECT_EQ(Combo().AddString("C:\\paint.exe"), 1) << "equal entries are both kept";
    EXPECT_EQ(Combo().GetCount(), 2);
    EXPECT_EQ(Combo().GetCurSel(), -1);
    EXPECT_EQ(Combo().GetWindowText(), "C:\\paint.exe");
}

TEST_F(ControlsTest, SelectStringSearchesAfterStartAndWraps)
{
    Combo().AddString("alpha");
    Combo().AddString("beta");
    Combo().AddString("Alpine");
    EXPECT_EQ(Combo().SelectString(-1, "AL"), 0);
    EXPECT_EQ(Combo().SelectString(0, "al"), 2);
    EXPECT_EQ(Combo().SelectString(2, "al"), 0) << "wraps round";
    EXPECT_EQ(Combo().SelectString(-1, "gamma"), CB_ERR);
    EXPECT_EQ(Combo().GetCurSel(), 0) << "a failed search keeps the selection";
    EXPECT_EQ(Combo().GetLBText(1), "beta");
    std::string text;
    EXPECT_EQ(Combo().GetLBText(7, text), CB_ERR);
}

TEST_F(ControlsTest, EditChangeOnlyWhenTheTextChanges)
{
    const int before = dialog.numberChanges;
    dialog.SetDlgItemText(IDC_NUMBER, "12");
    EXPECT_EQ(dialog.numberChanges, before + 1);
    dialog.SetDlgItemText(IDC_NUMBER, "12");
    EXPECT_EQ(dialog.numberChanges, before + 1);
    pt::TypeText(dialog, IDC_NUMBER, "3");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_NUMBER), "123");
    EXPECT_EQ(dialog.numberChanges, before + 2);
}

TEST_F(ControlsTest, NumberEditTakesDigitsOnlyWhenTyped)
{
    dialog.SetDlgItemText(IDC_NUMBER, "");
    const int before = dialog.numberChanges;
    pt::TypeText(dialog, IDC_NUMBER, "a-1x2");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_NUMBER), "12");
    EXPECT_EQ(dialog.numberChanges, before + 2);
    dialog.SetDlgItemText(IDC_NUMBER, "x9");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_NUMBER), "x9") << "the program may set any text";
}

TEST_F(ControlsTest, EditKillFocusWhenTheFocusMovesOn)
{
    Activate(dialog);
    dialog.GetDlgItem(IDC_NUMBER)->SetFocus();
    ASSERT_TRUE(pt::QueryControl(dialog, IDC_NUMBER).focused);
    dialog.GetDlgItem(IDC_PUSH)->SetFocus();
    EXPECT_EQ(dialog.numberKillFocus, 1);
    EXPECT_EQ(platform::CWnd::GetFocus(), dialog.GetDlgItem(IDC_PUSH));
}

TEST_F(ControlsTest, FailedNumberReadFocusesTheFieldWithTextSelected)
{
    Activate(dialog);
    dialog.SetDlgItemText(IDC_NUMBER, "x9");
    dialog.number = 5;
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.number, 5);
    EXPECT_TRUE(pt::QueryControl(dialog, IDC_NUMBER).focused);
    int start = -1;
    int end = -1;
    dialog.GetDlgItemAs<platform::CEdit>(IDC_NUMBER)->GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 2);
}

TEST_F(ControlsTest, TooltipsAnswerByControlId)
{
    dialog.EnableToolTips(TRUE);
    EXPECT_EQ(pt::ToolTipText(dialog, IDC_PUSH), std::optional<std::string>("Pushes the button"));
    EXPECT_EQ(pt::ToolTipText(dialog, IDC_FRAME), std::optional<std::string>("Shows a colour"));
    EXPECT_EQ(pt::ToolTipText(dialog, IDC_DEFAULT), std::nullopt);
    EXPECT_EQ(pt::ToolTipText(dialog, IDC_NUMBER), std::nullopt);
    dialog.handlerTip = IDS_TIP_NUMBER;
    EXPECT_EQ(pt::ToolTipText(dialog, IDC_NUMBER), std::optional<std::string>("Takes a number"));
    // Over the group box's inside: no control of its own answers.
    EXPECT_EQ(pt::ToolTipAt(dialog, POINT{40, 140}), std::nullopt);
    EXPECT_EQ(pt::ToolTipAt(dialog, POINT{20, 20}), std::optional<std::string>("Pushes the button"));
}

TEST_F(ControlsTest, TooltipsAreOffUntilEnabled)
{
    EXPECT_EQ(pt::ToolTipText(dialog, IDC_PUSH), std::nullopt);
    dialog.EnableToolTips(TRUE);
    dialog.EnableToolTips(FALSE);
    EXPECT_EQ(pt::ToolTipText(dialog, IDC_PUSH), std::nullopt);
}

logo::Picture TwoColourPicture()
{
    logo::Picture picture;
    picture.width = 4;
    picture.height = 2;
    picture.bitsPerPixel = 8;
    picture.colorTable.resize(256);
    picture.colorTable[1] = logo::RgbQuad{30, 20, 10, 0};  // blue, green, red
    picture.pixels = {1, 1, 1, 1, 0, 0, 0, 7};
    return picture;
}

TEST_F(ControlsTest, PictureIsCentredAndFollowsItsColourTable)
{
    logo::Picture picture = TwoColourPicture();
    auto* control = dialog.GetDlgItemAs<platform::CStatic>(IDC_PICTURE);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->SetBitmap(&picture), nullptr);
    // Client 60 x 65: the picture sits at (28, 31).
    platform::CDC* dc = control->GetDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->GetPixel(28, 31), RGB(10, 20, 30));
    EXPECT_EQ(dc->GetPixel(31, 32), RGB(0, 0, 0)) << "index 7 is black in this table";
    EXPECT_EQ(dc->GetPixel(27, 31), platform::kDialogFaceColor);
    picture.colorTable[1] = logo::RgbQuad{0, 0, 255, 0};
    EXPECT_EQ(control->SetBitmap(&picture), &picture);
    EXPECT_EQ(dc->GetPixel(28, 31), RGB(255, 0, 0)) << "the same picture again shows the new table";
    // The dialog's own DC shows the picture control lying over its client area.
    EXPECT_EQ(dialog.GetDC()->GetPixel(285 + 29, 16 + 31), RGB(255, 0, 0));
    control->SetBitmap(nullptr);
    EXPECT_EQ(dc->GetPixel(28, 31), platform::kDialogFaceColor);
}

TEST_F(ControlsTest, MalformedPictureShowsNothing)
{
    logo::Picture picture = TwoColourPicture();
    picture.pixels.resize(3);
    dialog.GetDlgItemAs<platform::CStatic>(IDC_PICTURE)->SetBitmap(&picture);
    EXPECT_EQ(dialog.GetDlgItem(IDC_PICTURE)->GetDC()->GetPixel(28, 31), platform::kDialogFaceColor);
}

TEST_F(ControlsTest, ButtonCaptionChangesAndChecks)
{
    auto* button = dialog.GetDlgItemAs<platform::CButton>(IDCANCEL);
    button->SetWindowText("&Cancel");
    EXPECT_EQ(pt::QueryControl(dialog, IDCANCEL).text, "&Cancel");
    dialog.CheckDlgButton(IDC_THREE, BST_CHECKED);
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_THREE), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_PUSH), 0u) << "a plain push button never checks";
}

}  // namespace

namespace {

using namespace uitest;
namespace pt = platform::testing;

TEST_F(ControlsTest, AltMnemonicsClickButtonsAndFocusPastLabels)
{
    Activate(dialog);
    pt::SendKey(dialog, 'P' | pt::KEY_ALT);
    Pump(200);  // a mnemonic click shows the button down for a moment first
    EXPECT_EQ(dialog.clicks[0], 1);
    pt::SendKey(dialog, 'N' | pt::KEY_ALT);
    EXPECT_TRUE(pt::QueryControl(dialog, IDC_NUMBER).focused) << "the label's mnemonic reaches the next control";
}

}  // namespace
