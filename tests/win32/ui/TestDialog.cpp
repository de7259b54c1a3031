#include "tests/win32/ui/TestDialog.h"

#include "platform/ui/MessageMap.h"
#include "tests/win32/ui/TestWindow.h"

namespace lumivane::test {
namespace {

platform::DialogTemplate MakeTemplate(std::span<const platform::ControlTemplate> controls, int width, int height)
{
    platform::DialogTemplate t{};
    t.id = 0x7E00;  // no such resource: the dialog is built from the data
    t.caption = "test dialog";
    t.x = 0;
    t.y = 0;
    t.cx = static_cast<short>(width);
    t.cy = static_cast<short>(height);
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
    t.exStyle = 0;
    t.fontName = "MS Sans Serif";
    t.fontPointSize = 8;
    t.controls = controls;
    return t;
}

}  // namespace

TestDialog::TestDialog(std::span<const platform::ControlTemplate> controls, int width, int height)
    : CDialog(MakeTemplate(controls, width, height))
{
}

bool TestDialog::Open()
{
    if (!Create(nullptr))
        return false;
    ::SetWindowPos(GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    PumpMessages();
    return IsWindow() != FALSE;
}

void TestDialog::DoDataExchange(platform::CDataExchange* dx)
{
    if (exchange)
        exchange(dx);
}

const platform::MessageMapBase* TestDialog::GetMessageMap() const
{
    static constexpr auto map = platform::MakeMessageMap<TestDialog>(
        platform::OnCommand(kFirstCommand, 0, &TestDialog::OnFirstFromMenu),
        platform::OnCommand(kFirstCommand, 1, &TestDialog::OnFirstFromKey),
        platform::OnCommand(kSecondCommand, 0, &TestDialog::OnSecondFromMenu),
        platform::OnCommand(kSecondCommand, 1, &TestDialog::OnSecondFromKey));
    return &map;
}

}  // namespace lumivane::test
