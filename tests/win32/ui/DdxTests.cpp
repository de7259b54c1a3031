// Dialog data exchange over real controls: each DDX function both ways,
// failures and what they leave behind.
#include "platform/WinTypes.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/Ddx.h"
#include "tests/win32/ui/ControlHost.h"
#include "tests/win32/ui/TestDialog.h"
#include "tests/win32/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>

using lumivane::test::ControlHost;
using lumivane::test::PumpMessages;
using namespace platform;

namespace {

constexpr int kName = 100;
constexpr int kCount = 101;
constexpr int kSize = 102;
constexpr int kCheck = 103;
constexpr int kCombo = 104;
constexpr int kFirstRadio = 110;

// The controls of a small settings dialog, in tab order: two edits, a
// number edit, a check box, a combo box, a radio group of three with a
// static label in its middle, then a radio button of the next group.
struct Form {
    ControlHost host;
    HWND name = host.Add("EDIT", kName, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 10, 10, 100, 20);
    HWND count = host.Add("EDIT", kCount, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 10, 34, 100, 20);
    HWND size = host.Add("EDIT", kSize, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 10, 58, 100, 20);
    HWND check = host.Add("BUTTON", kCheck, BS_AUTOCHECKBOX | WS_TABSTOP, 10, 82, 100, 20, "check");
    HWND combo = host.Add("COMBOBOX", kCombo, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 10, 106, 100, 100);
    HWND radio0 = host.Add("BUTTON", kFirstRadio, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 120, 10, 80, 20, "a");
    HWND radio1 = host.Add("BUTTON", kFirstRadio + 1, BS_AUTORADIOBUTTON, 120, 30, 80, 20, "b");
    HWND label = host.Add("STATIC", -1, SS_LEFT, 120, 50, 80, 20, "label");
    HWND radio2 = host.Add("BUTTON", kFirstRadio + 2, BS_AUTORADIOBUTTON, 120, 70, 80, 20, "c");
    HWND nextGroup = host.Add("BUTTON", kFirstRadio + 3, BS_AUTORADIOBUTTON | WS_GROUP, 120, 90, 80, 20, "d");

    // Runs one pass; true when no field failed.
    template <class Exchange>
    bool Pass(BOOL save, Exchange exchange)
    {
        CDataExchange dx(&host.Window(), save);
        exchange(&dx);
        return !dx.Failed();
    }
};

UINT Checked(HWND button)
{
    return static_cast<UINT>(::SendMessageA(button, BM_GETCHECK, 0, 0));
}

TEST(DDX_Text, StringsGoToTheControlAndComeBack)
{
    Form form;
    std::string name = "LOGO.SYS";
    EXPECT_TRUE(form.Pass(FALSE, [&](CDataExchange* dx) { DDX_Text(dx, kName, name); }));
    EXPECT_EQ(form.host.Window().GetDlgItemText(kName), "LOGO.SYS");
    ::SetWindowTextA(form.name, "LOGOW.SYS");
    EXPECT_TRUE(form.Pass(TRUE, [&](CDataExchange* dx) { DDX_Text(dx, kName, name); }));
    EXPECT_EQ(name, "LOGOW.SYS");
}

TEST(DDX_Text, NumbersRoundTripWithBlanksAndSigns)
{
    Form form;
    int count = -42;
    UINT size = 4000000000u;
    EXPECT_TRUE(form.Pass(FALSE, [&](CDataExchange* dx) {
        DDX_Text(dx, kCount, count);
        DDX_Text(dx, kSize, size);
    }));
    EXPECT_EQ(form.host.Window().GetDlgItemText(kCount), "-42");
    EXPECT_EQ(form.host.Window().GetDlgItemText(kSize), "4000000000");
    ::SetWindowTextA(form.count, "  +17\t");
    ::SetWindowTextA(form.size, "12");
    EXPECT_TRUE(form.Pass(TRUE, [&](CDataExchange* dx) {
        DDX_Text(dx, kCount, count);
        DDX_Text(dx, kSize, size);
    }));
    EXPECT_EQ(count, 17);
    EXPECT_EQ(size, 12u);
}

TEST(DDX_Text, ABadNumberFailsThePassFocusesAndSelectsTheField)
{
    Form form;
    std::string name = "before";
    int count = 5;
    UINT size = 9;
    ::SetWindowTextA(form.name, "after");
    ::SetWindowTextA(form.count, "12x");
    ::SetWindowTextA(form.size, "3");
    ::SetFocus(form.name);
    EXPECT_FALSE(form.Pass(TRUE, [&](CDataExchange* dx) {
        DDX_Text(dx, kName, name);
        DDX_Text(dx, kCount, count);
        DDX_Text(dx, kSize, size);  // not reached: the pass failed before
    }));
    EXPECT_EQ(name, "after");
    EXPECT_EQ(count, 5);
    EXPECT_EQ(size, 9u);
    EXPECT_EQ(::GetFocus(), form.count);
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(form.count, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
}

TEST(DDX_Text, NumbersOutOfRangeFail)
{
    Form form;
    UINT size = 1;
    ::SetWindowTextA(form.size, "-1");
    EXPECT_FALSE(form.Pass(TRUE, [&](CDataExchange* dx) { DDX_Text(dx, kSize, size); }));
    ::SetWindowTextA(form.size, "4294967296");
    EXPECT_FALSE(form.Pass(TRUE, [&](CDataExchange* dx) { DDX_Text(dx, kSize, size); }));
    int count = 1;
    ::SetWindowTextA(form.count, "2147483648");
    EXPECT_FALSE(form.Pass(TRUE, [&](CDataExchange* dx) { DDX_Text(dx, kCount, count); }));
    ::SetWindowTextA(form.count, "-2147483648");
    EXPECT_TRUE(form.Pass(TRUE, [&](CDataExchange* dx) { DDX_Text(dx, kCount, count); }));
    EXPECT_EQ(count, INT_MIN);
    ::SetWindowTextA(form.count, "");
    EXPECT_FALSE(form.Pass(TRUE, [&](CDataExchange* dx) { DDX_Text(dx, kCount, count); }));
    EXPECT_EQ(size, 1u);
}

TEST(DDX_Radio, IndexCountsTheGroupsRadioButtonsOnly)
{
    Form form;
    int choice = 2;
    EXPECT_TRUE(form.Pass(FALSE, [&](CDataExchange* dx) { DDX_Radio(dx, kFirstRadio, choice); }));
    EXPECT_EQ(Checked(form.radio0), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(Checked(form.radio1), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(Checked(form.radio2), static_cast<UINT>(BST_CHECKED));  // the label between does not count
    EXPECT_EQ(Checked(form.nextGroup), static_cast<UINT>(BST_UNCHECKED));

    ::SendMessageA(form.radio2, BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendMessageA(form.radio1, BM_SETCHECK, BST_CHECKED, 0);
    ::SendMessageA(form.nextGroup, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(form.Pass(TRUE, [&](CDataExchange* dx) { DDX_Radio(dx, kFirstRadio, choice); }));
    EXPECT_EQ(choice, 1);
}

TEST(DDX_Radio, NoneCheckedIsMinusOneAndMinusOneChecksNone)
{
    Form form;
    int choice = 7;
    EXPECT_TRUE(form.Pass(TRUE, [&](CDataExchange* dx) { DDX_Radio(dx, kFirstRadio, choice); }));
    EXPECT_EQ(choice, -1);
    ::SendMessageA(form.radio0, BM_SETCHECK, BST_CHECKED, 0);
    choice = -1;
    EXPECT_TRUE(form.Pass(FALSE, [&](CDataExchange* dx) { DDX_Radio(dx, kFirstRadio, choice); }));
    EXPECT_EQ(Checked(form.radio0), static_cast<UINT>(BST_UNCHECKED));
    // The next group is a group of its own.
    choice = 0;
    EXPECT_TRUE(form.Pass(FALSE, [&](CDataExchange* dx) { DDX_Radio(dx, kFirstRadio + 3, choice); }));
    EXPECT_EQ(Checked(form.nextGroup), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(Checked(form.radio0), static_cast<UINT>(BST_UNCHECKED));
}

TEST(DDX_Check, FollowsTheCheckBox)
{
    Form form;
    int value = BST_CHECKED;
    EXPECT_TRUE(form.Pass(FALSE, [&](CDataExchange* dx) { DDX_Check(dx, kCheck, value); }));
    EXPECT_EQ(Checked(form.check), static_cast<UINT>(BST_CHECKED));
    ::SendMessageA(form.check, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_TRUE(form.Pass(TRUE, [&](CDataExchange* dx) { DDX_Check(dx, kCheck, value); }));
    EXPECT_EQ(value, BST_UNCHECKED);
}

TEST(DDX_CBString, WritingSelectsTheFirstEntryByPrefixOrSetsTheText)
{
    Form form;
    for (const char* entry : {"Windows 95", "windows 98", "Windows Me"})
        ::SendMessageA(form.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    std::string value = "WINDOWS 9";
    EXPECT_TRUE(form.Pass(FALSE, [&](CDataExchange* dx) { DDX_CBString(dx, kCombo, value); }));
    EXPECT_EQ(::SendMessageA(form.combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(form.host.Window().GetDlgItemText(kCombo), "Windows 95");

    value = "windows m";
    EXPECT_TRUE(form.Pass(FALSE, [&](CDataExchange* dx) { DDX_CBString(dx, kCombo, value); }));
    EXPECT_EQ(::SendMessageA(form.combo, CB_GETCURSEL, 0, 0), 2);

    value = "OS/2";
    EXPECT_TRUE(form.Pass(FALSE, [&](CDataExchange* dx) { DDX_CBString(dx, kCombo, value); }));
    EXPECT_EQ(form.host.Window().GetDlgItemText(kCombo), "OS/2");

    ::SetWindowTextA(form.combo, "typed by hand");
    EXPECT_TRUE(form.Pass(TRUE, [&](CDataExchange* dx) { DDX_CBString(dx, kCombo, value); }));
    EXPECT_EQ(value, "typed by hand");
}

TEST(DDX_Control, MakesTheMemberStandForTheControl)
{
    Form form;
    CEdit name;
    CComboBox combo;
    EXPECT_TRUE(form.Pass(FALSE, [&](CDataExchange* dx) {
        DDX_Control(dx, kName, name);
        DDX_Control(dx, kCombo, combo);
    }));
    EXPECT_EQ(name.GetSafeHwnd(), form.name);
    EXPECT_EQ(combo.GetSafeHwnd(), form.combo);
    EXPECT_EQ(CWnd::FromHandle(form.name), &name);
    EXPECT_EQ(form.host.Window().GetDlgItem(kCombo), &combo);
    // A second pass keeps the attachment as it is.
    EXPECT_TRUE(form.Pass(TRUE, [&](CDataExchange* dx) { DDX_Control(dx, kName, name); }));
    EXPECT_EQ(name.GetSafeHwnd(), form.name);
    name.Detach();
    combo.Detach();
}

TEST(DDX, MissingControlsAreSkippedAndAFailedPassDoesNothingMore)
{
    Form form;
    std::string text = "kept";
    int number = 3;
    EXPECT_TRUE(form.Pass(TRUE, [&](CDataExchange* dx) {
        DDX_Text(dx, 999, text);
        DDX_Text(dx, 998, number);
        DDX_Radio(dx, 997, number);
    }));
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(number, 3);

    CDataExchange dx(&form.host.Window(), FALSE);
    dx.Fail();
    std::string name = "not shown";
    DDX_Text(&dx, kName, name);
    EXPECT_EQ(form.host.Window().GetDlgItemText(kName), "");
}

// A dialog's own UpdateData, both ways, through its DoDataExchange.
constexpr std::array kDdxDialogControls = {
    ControlTemplate{kName, ControlClass::Edit, "", 5, 5, 60, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0},
    ControlTemplate{kFirstRadio, ControlClass::Button, "a", 5, 20, 40, 10, BS_AUTORADIOBUTTON | WS_GROUP, 0},
    ControlTemplate{kFirstRadio + 1, ControlClass::Button, "b", 5, 32, 40, 10, BS_AUTORADIOBUTTON, 0},
    ControlTemplate{kCheck, ControlClass::Button, "c", 5, 44, 40, 10, BS_AUTOCHECKBOX | WS_GROUP, 0},
};

TEST(UpdateData, RoundTripsTheDialogsMembers)
{
    lumivane::test::TestDialog dialog(kDdxDialogControls);
    std::string name = "first";
    int choice = 1;
    int checked = BST_CHECKED;
    dialog.exchange = [&](CDataExchange* dx) {
        DDX_Text(dx, kName, name);
        DDX_Radio(dx, kFirstRadio, choice);
        DDX_Check(dx, kCheck, checked);
    };
    ASSERT_TRUE(dialog.Open());
    // OnInitDialog showed the members.
    EXPECT_EQ(dialog.GetDlgItemText(kName), "first");
    EXPECT_EQ(dialog.IsDlgButtonChecked(kFirstRadio + 1), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(dialog.IsDlgButtonChecked(kCheck), static_cast<UINT>(BST_CHECKED));

    dialog.SetDlgItemText(kName, "second");
    dialog.CheckDlgButton(kFirstRadio + 1, BST_UNCHECKED);
    dialog.CheckDlgButton(kFirstRadio, BST_CHECKED);
    dialog.CheckDlgButton(kCheck, BST_UNCHECKED);
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(name, "second");
    EXPECT_EQ(choice, 0);
    EXPECT_EQ(checked, BST_UNCHECKED);
    dialog.DestroyWindow();
    PumpMessages();
}

}  // namespace
