// Pop-up menus: the system menu made from a CMenu's items, and the choice
// delivered as TrackPopupMenu promises, from a real menu and from the
// chooser tests answer menus with.
#include "platform/WinTypes.h"

#include "platform/ui/CMenu.h"
#include "platform/win32/ui/PopupMenu.h"
#include "platform/win32/ui/PopupMenuHook.h"
#include "tests/win32/ui/TestDialog.h"
#include "tests/win32/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

using lumivane::test::PumpMessages;
using lumivane::test::TestDialog;
using namespace platform;

namespace {

std::string MenuText(HMENU menu, UINT position)
{
    char text[64] = {};
    ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

// Answers every menu with id while it lives.
class ScopedChoice {
public:
    explicit ScopedChoice(UINT_PTR id)
    {
        detail::SetPopupMenuChooser([this, id](const std::vector<MenuItem>& items) {
            shown.push_back(items);
            return id;
        });
    }
    ~ScopedChoice() { detail::SetPopupMenuChooser({}); }
    ScopedChoice(const ScopedChoice&) = delete;
    ScopedChoice& operator=(const ScopedChoice&) = delete;

    std::vector<std::vector<MenuItem>> shown;
};

void FillMenu(CMenu& menu)
{
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, TestDialog::kFirstCommand, "&Boot screen\tCtrl+B");
    menu.AppendMenu(MF_SEPARATOR, 77, "ignored");
    menu.AppendMenu(MF_STRING | MF_GRAYED, TestDialog::kSecondCommand, "E&xport");
}

TEST(CMenu, KeepsItsItemsOnceCreated)
{
    CMenu menu;
    EXPECT_FALSE(menu.AppendMenu(MF_STRING, 1, "before"));
    EXPECT_EQ(menu.GetMenuItemCount(), -1);
    FillMenu(menu);
    EXPECT_FALSE(menu.CreatePopupMenu());
    ASSERT_EQ(menu.GetMenuItemCount(), 3);
    EXPECT_EQ(menu.Items()[0].text, "&Boot screen\tCtrl+B");
    EXPECT_EQ(menu.Items()[1].id, 0u);  // a separator has no command
    EXPECT_EQ(menu.Items()[1].text, "");
    EXPECT_EQ(menu.Items()[2].flags, MF_STRING | MF_GRAYED);
}

TEST(BuildPopupMenu, MakesTheSystemMenuOfTheItems)
{
    CMenu menu;
    FillMenu(menu);
    HMENU system = win32::BuildPopupMenu(menu.Items());
    ASSERT_NE(system, nullptr);
    EXPECT_TRUE(::IsMenu(system));
    ASSERT_EQ(::GetMenuItemCount(system), 3);
    EXPECT_EQ(MenuText(system, 0), "&Boot screen\tCtrl+B");
    EXPECT_EQ(::GetMenuItemID(system, 0), static_cast<UINT>(TestDialog::kFirstCommand));
    EXPECT_EQ(::GetMenuState(system, 0, MF_BYPOSITION) & (MF_GRAYED | MF_SEPARATOR), 0u);
    EXPECT_NE(::GetMenuState(system, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_EQ(::GetMenuItemID(system, 2), static_cast<UINT>(TestDialog::kSecondCommand));
    EXPECT_NE(::GetMenuState(system, 2, MF_BYPOSITION) & MF_GRAYED, 0u);
    EXPECT_TRUE(::DestroyMenu(system));
}

TEST(TrackPopupMenu, ReturnsTheChosenCommandWithReturnCmd)
{
    TestDialog dialog({});
    ASSERT_TRUE(dialog.Open());
    CMenu menu;
    FillMenu(menu);
    {
        ScopedChoice choice(TestDialog::kFirstCommand);
        EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &dialog), TestDialog::kFirstCommand);
        ASSERT_EQ(choice.shown.size(), 1u);
        EXPECT_EQ(choice.shown[0].size(), 3u);
    }
    {
        // Grayed items cannot be chosen.
        ScopedChoice choice(TestDialog::kSecondCommand);
        EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &dialog), 0);
    }
    PumpMessages();
    EXPECT_TRUE(dialog.Commands().empty());
    dialog.DestroyWindow();
}

TEST(TrackPopupMenu, DeliversTheCommandToTheOwnerBeforeReturning)
{
    TestDialog dialog({});
    ASSERT_TRUE(dialog.Open());
    CMenu menu;
    FillMenu(menu);
    {
        ScopedChoice choice(TestDialog::kFirstCommand);
        EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 10, 10, &dialog));
        ASSERT_EQ(dialog.Commands().size(), 1u);
        EXPECT_EQ(dialog.Commands()[0], std::make_pair(TestDialog::kFirstCommand, 0u));
    }
    dialog.ClearCommands();
    {
        ScopedChoice dismissed(0);
        EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &dialog));
        ScopedChoice grayed(TestDialog::kSecondCommand);
        EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &dialog));
    }
    PumpMessages();
    EXPECT_TRUE(dialog.Commands().empty());
    dialog.DestroyWindow();
}

TEST(TrackPopupMenu, RefusesWithoutAMenuOrAnOwner)
{
    CMenu notCreated;
    TestDialog dialog({});
    ASSERT_TRUE(dialog.Open());
    EXPECT_FALSE(notCreated.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &dialog));
    CMenu menu;
    FillMenu(menu);
    EXPECT_FALSE(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr));
    CWnd empty;
    EXPECT_FALSE(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &empty));
    dialog.DestroyWindow();
}

// The user at a real menu: keys typed while it is open (the menu's own loop
// reads them from the queue) choose the first item.
TEST(TrackPopupMenu, RealMenuChosenWithTheKeyboard)
{
    TestDialog dialog({});
    ASSERT_TRUE(dialog.Open());
    ::SetForegroundWindow(dialog.GetSafeHwnd());
    PumpMessages();
    CMenu menu;
    FillMenu(menu);
    const HWND owner = dialog.GetSafeHwnd();
    ::PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0x00500001);
    ::PostMessageA(owner, WM_KEYUP, VK_DOWN, static_cast<LPARAM>(0xC0500001u));
    ::PostMessageA(owner, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ::PostMessageA(owner, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001u));
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN, 300, 300, &dialog));
    ASSERT_EQ(dialog.Commands().size(), 1u);
    EXPECT_EQ(dialog.Commands()[0], std::make_pair(TestDialog::kFirstCommand, 0u));

    // Escape dismisses: nothing is returned.
    ::PostMessageA(owner, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    ::PostMessageA(owner, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001u));
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 300, 300, &dialog), 0);
    PumpMessages();
    EXPECT_EQ(dialog.Commands().size(), 1u);
    dialog.DestroyWindow();
}

}  // namespace
