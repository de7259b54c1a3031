// Pop-up menus, accelerator tables and the context-menu message: which
// command reaches a dialog's message map, from which source, and what a
// key chord leaves for the controls.

#include "platform/qt/DialogTestSupport.h"

#include "platform/testing/KeyChordTesting.h"
#include "platform/testing/PopupMenuTesting.h"
#include "platform/ui/Accelerators.h"
#include "platform/ui/CMenu.h"
#include "platform/qt/testing/UiTesting.h"

#include <gtest/gtest.h>

namespace {

using namespace uitest;
namespace pt = platform::testing;

enum : int { IDD_MENU = 920, IDC_TEXT = 301, IDC_SHOWN = 302, IDM_FIRST = 7001, IDM_SECOND = 7002 };

constexpr std::array kMenuControls = {
    ControlTemplate{IDC_TEXT, ControlClass::Edit, "", 5, 5, 80, 12, ES_AUTOHSCROLL | WS_TABSTOP, 0},
    // A picture static lets the mouse through to the dialog.
    ControlTemplate{IDC_SHOWN, ControlClass::Static, "", 5, 30, 60, 40, SS_BITMAP, 0},
};
constexpr platform::DialogTemplate kMenuTemplate{IDD_MENU, "Menus", 0, 0, 120, 80, kCaptioned, 0,
                                                "MS Sans Serif", 8, kMenuControls};

class MenuDialog : public platform::CDialog {
public:
    MenuDialog() : CDialog(kMenuTemplate) {}

    int first = 0;
    int second = 0;
    std::vector<int> contextControls;

protected:
    const platform::MessageMapBase* GetMessageMap() const override
    {
        static constexpr auto map = platform::MakeMessageMap<MenuDialog>(
            platform::OnMenuCommand(IDM_FIRST, &MenuDialog::OnFirst),
            platform::OnCommand(IDM_SECOND, 0, &MenuDialog::OnSecond),
            platform::OnWmContextMenu(&MenuDialog::OnContext));
        return &map;
    }

private:
    void OnFirst() { ++first; }
    void OnSecond() { ++second; }
    void OnContext(platform::CWnd* window, platform::CPoint) { contextControls.push_back(window->GetDlgCtrlID()); }
};

class MenuAcceleratorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dialog.Create());
        m_dialog.ShowWindow(SW_SHOWNORMAL);
    }
    void TearDown() override { m_dialog.DestroyWindow(); }

    UINT_PTR Track(UINT flags, UINT_PTR chosen)
    {
        pt::ScopedMenuChoice choice(chosen);
        platform::CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(platform::MF_STRING, IDM_FIRST, "&First");
        menu.AppendMenu(platform::MF_SEPARATOR);
        menu.AppendMenu(platform::MF_STRING | platform::MF_GRAYED, IDM_SECOND, "&Second");
        return static_cast<UINT_PTR>(menu.TrackPopupMenu(flags, 0, 0, &m_dialog));
    }

    MenuDialog m_dialog;
};

TEST_F(MenuAcceleratorTest, ChosenItemReachesTheOwnersMessageMap)
{
    Track(platform::TPM_LEFTALIGN, IDM_FIRST);
    EXPECT_EQ(m_dialog.first, 1);
}

TEST_F(MenuAcceleratorTest, GrayedItemsAndDismissalSendNothing)
{
    Track(platform::TPM_LEFTALIGN, IDM_SECOND);
    Track(platform::TPM_LEFTALIGN, 0);
    EXPECT_EQ(m_dialog.second, 0);
    EXPECT_EQ(m_dialog.first, 0);
}

TEST_F(MenuAcceleratorTest, ReturnCmdHandsTheIdBackInsteadOfSendingIt)
{
    EXPECT_EQ(Track(platform::TPM_RETURNCMD, IDM_FIRST), static_cast<UINT_PTR>(IDM_FIRST));
    EXPECT_EQ(m_dialog.first, 0);
}

TEST_F(MenuAcceleratorTest, ChordReachesMenuCommandEntriesButNotMenuOnlyOnes)
{
    const std::array keys = {
        platform::ACCEL{platform::FVIRTKEY | platform::FCONTROL, 'K', IDM_FIRST},
        platform::ACCEL{platform::FVIRTKEY | platform::FCONTROL, 'J', IDM_SECOND},
    };
    ASSERT_TRUE(platform::SetAccelerators(m_dialog, keys));
    pt::SendKeyChord(m_dialog, 'K', platform::FCONTROL);
    pt::SendKeyChord(m_dialog, 'K', platform::FCONTROL | platform::FSHIFT);  // not in the table
    pt::SendKeyChord(m_dialog, 'J', platform::FCONTROL);  // accelerator code 1; the entry wants menus alone
    EXPECT_EQ(m_dialog.first, 1);
    EXPECT_EQ(m_dialog.second, 0);
    EXPECT_EQ(platform::GetAccelerators(m_dialog).size(), 2u);
}

TEST_F(MenuAcceleratorTest, ChordIsTakenBeforeTheFocusedEditSeesIt)
{
    const std::array keys = {platform::ACCEL{platform::FVIRTKEY | platform::FCONTROL, 'A', IDM_FIRST}};
    platform::SetAccelerators(m_dialog, keys);
    pt::TypeText(m_dialog, IDC_TEXT, "abc");
    pt::SendKeyChord(m_dialog, 'A', platform::FCONTROL);  // the edit's own select-all never runs
    pt::TypeText(m_dialog, IDC_TEXT, "d");
    EXPECT_EQ(m_dialog.first, 1);
    EXPECT_EQ(m_dialog.GetDlgItemText(IDC_TEXT), "abcd");
}

TEST_F(MenuAcceleratorTest, ContextMenuNamesTheControlUnderTheCursorEvenAStaticThatLetsTheMouseThrough)
{
    const RECT shown = pt::QueryControl(m_dialog, IDC_SHOWN).rect;
    pt::RightClickForMenu(m_dialog, POINT{shown.left + 5, shown.top + 5});
    pt::RightClickForMenu(m_dialog, POINT{shown.right + 20, shown.top + 5});
    EXPECT_EQ(m_dialog.contextControls, (std::vector<int>{IDC_SHOWN, 0}));
}

}  // namespace
