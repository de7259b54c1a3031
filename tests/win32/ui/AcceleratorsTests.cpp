// Accelerator tables per top-level window: the system table behind them,
// its end with the window, and key chords reaching the message map as
// commands (code 1) before the focused control sees them.
#include "platform/WinTypes.h"

#include "platform/ui/Accelerators.h"
#include "platform/ui/CWnd.h"
#include "platform/win32/ui/Accelerators.h"
#include "tests/win32/ui/ControlHost.h"
#include "tests/win32/ui/TestDialog.h"
#include "tests/win32/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

using lumivane::test::ControlHost;
using lumivane::test::PumpMessages;
using lumivane::test::TestDialog;
using namespace platform;

namespace {

constexpr int kEdit = 100;

constexpr std::array kKeys = {
    platform::ACCEL{FVIRTKEY, VK_F5, TestDialog::kFirstCommand},
    platform::ACCEL{FVIRTKEY | FCONTROL, 'K', TestDialog::kSecondCommand},
};

std::vector<::ACCEL> SystemTable(HACCEL table)
{
    const int count = ::CopyAcceleratorTableA(table, nullptr, 0);
    std::vector<::ACCEL> entries(static_cast<size_t>(count > 0 ? count : 0));
    if (count > 0)
        ::CopyAcceleratorTableA(table, entries.data(), count);
    return entries;
}

TEST(Accelerators, SetAndGetPerTopLevelWindow)
{
    ControlHost host;
    HWND edit = host.Add("EDIT", kEdit, ES_AUTOHSCROLL, 10, 10, 80, 20);
    CWnd child;
    child.Attach(edit);
    // A control's table is its top-level window's.
    EXPECT_TRUE(SetAccelerators(child, kKeys));
    const std::vector<platform::ACCEL> back = GetAccelerators(host.Window());
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].fVirt, FVIRTKEY | FCONTROL);
    EXPECT_EQ(back[1].key, 'K');
    EXPECT_EQ(back[1].cmd, TestDialog::kSecondCommand);
    EXPECT_EQ(GetAccelerators(child).size(), 2u);

    HACCEL table = win32::AcceleratorTableOf(host.Handle());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(win32::AcceleratorTableOf(edit), nullptr);
    const std::vector<::ACCEL> system = SystemTable(table);
    ASSERT_EQ(system.size(), 2u);
    EXPECT_EQ(system[0].key, VK_F5);
    EXPECT_EQ(system[0].cmd, TestDialog::kFirstCommand);
    EXPECT_EQ(system[1].key, 'K');
    EXPECT_NE(system[1].fVirt & 0x08, 0);  // FCONTROL
    EXPECT_NE(system[1].fVirt & 0x01, 0);  // FVIRTKEY

    // An empty table takes it off.
    EXPECT_TRUE(SetAccelerators(host.Window(), {}));
    EXPECT_TRUE(GetAccelerators(host.Window()).empty());
    EXPECT_EQ(win32::AcceleratorTableOf(host.Handle()), nullptr);
    child.Detach();
}

TEST(Accelerators, ReplacingATableFreesTheOneBefore)
{
    ControlHost host;
    ASSERT_TRUE(SetAccelerators(host.Window(), kKeys));
    HACCEL first = win32::AcceleratorTableOf(host.Handle());
    const std::array one = {platform::ACCEL{FVIRTKEY, VK_F6, TestDialog::kFirstCommand}};
    ASSERT_TRUE(SetAccelerators(host.Window(), one));
    HACCEL second = win32::AcceleratorTableOf(host.Handle());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(SystemTable(second).size(), 1u);
    if (second != first) {
        EXPECT_EQ(::CopyAcceleratorTableA(first, nullptr, 0), 0);
    }
    EXPECT_EQ(GetAccelerators(host.Window()).size(), 1u);
}

TEST(Accelerators, TheTableEndsWithTheWindow)
{
    HWND gone = nullptr;
    HACCEL table = nullptr;
    {
        ControlHost host;
        ASSERT_TRUE(SetAccelerators(host.Window(), kKeys));
        gone = host.Handle();
        table = win32::AcceleratorTableOf(gone);
        ASSERT_NE(table, nullptr);
    }
    EXPECT_EQ(win32::AcceleratorTableOf(gone), nullptr);
    EXPECT_EQ(::CopyAcceleratorTableA(table, nullptr, 0), 0);
}

TEST(Accelerators, RefusedWithoutAWindow)
{
    CWnd none;
    EXPECT_FALSE(SetAccelerators(none, kKeys));
    EXPECT_TRUE(GetAccelerators(none).empty());
    EXPECT_EQ(win32::AcceleratorTableOf(nullptr), nullptr);
}

constexpr std::array kAcceleratorDialogControls = {
    ControlTemplate{kEdit, ControlClass::Edit, "", 5, 5, 80, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0},
};

// A key as the keyboard gives it to the focused window, with the modifier
// keys held as the thread's key state says.
void TypeChord(HWND focus, UINT vk, bool control)
{
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_CONTROL] = control ? 0x80 : 0;
    ::SetKeyboardState(state);
    ::PostMessageA(focus, WM_KEYDOWN, vk, 1);
    ::PostMessageA(focus, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
    PumpMessages();
    state[VK_CONTROL] = 0;
    ::SetKeyboardState(state);
}

TEST(Accelerators, ChordsReachTheModelessDialogsMessageMapAsCommands)
{
    TestDialog dialog(kAcceleratorDialogControls);
    ASSERT_TRUE(dialog.Open());
    ASSERT_TRUE(SetAccelerators(dialog, kKeys));
    HWND edit = ::GetDlgItem(dialog.GetSafeHwnd(), kEdit);
    ::SetFocus(edit);

    TypeChord(edit, VK_F5, false);
    ASSERT_EQ(dialog.Commands().size(), 1u);
    EXPECT_EQ(dialog.Commands()[0], std::make_pair(TestDialog::kFirstCommand, 1u));

    TypeChord(edit, 'K', true);
    ASSERT_EQ(dialog.Commands().size(), 2u);
    EXPECT_EQ(dialog.Commands()[1], std::make_pair(TestDialog::kSecondCommand, 1u));
    // The edit never saw the chord's key as a character.
    EXPECT_EQ(dialog.GetDlgItemText(kEdit), "");

    // A key the table does not have, or the chord's key without its
    // modifier, goes to the control as usual.
    TypeChord(edit, VK_F6, false);
    TypeChord(edit, 'K', false);
    EXPECT_EQ(dialog.Commands().size(), 2u);
    EXPECT_EQ(dialog.GetDlgItemText(kEdit), "k");

    // Without the table the chords are plain keys again.
    SetAccelerators(dialog, {});
    TypeChord(edit, VK_F5, false);
    EXPECT_EQ(dialog.Commands().size(), 2u);
    dialog.DestroyWindow();
    PumpMessages();
}

}  // namespace
