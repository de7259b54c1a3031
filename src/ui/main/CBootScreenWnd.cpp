#include "ui/main/CBootScreenWnd.h"

#include "logo/BootScreen.h"
#include "platform/ui/ResourceLoading.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

#include <utility>

namespace {

// What the screen shows when the logo is not one Windows can show: its own
// black screen (the status line says why).
logo::RgbImage BlackScreen()
{
    logo::RgbImage screen;
    screen.width = logo::kBootScreenWidth;
    screen.height = logo::kBootScreenHeight;
    screen.rgb.assign(static_cast<std::size_t>(screen.width) * static_cast<std::size_t>(screen.height) * 3, 0);
    return screen;
}

}  // namespace

CBootScreenWnd::CBootScreenWnd(LiveLogo logo, std::vector<logo::Finding> findings, BootSentence boot,
                               platform::CWnd* parent)
    : platform::CPictureWnd(res::BootScreenTemplate(), res::IDC_BOOT_STATUS, parent),
      m_logo(logo),
      m_findings(std::move(findings)),
      m_boot(std::move(boot))
{
}

std::string CBootScreenWnd::StatusText(const std::vector<logo::Finding>& findings, const BootSentence& boot)
{
    std::string check = platform::LoadStringA(res::IDS_BOOT_CHECK_PREFIX);
    if (findings.empty())
        check += platform::LoadStringA(res::IDS_BOOT_CHECK_CLEAN);
    // One finding a line: the status line grows to show them all.
    for (std::size_t i = 0; i < findings.size(); ++i)
        check += (i == 0 ? "" : "\n") + findings[i].text;
    if (boot.text.empty())
        return check;
    const std::string atBoot = platform::LoadStringA(res::IDS_BOOT_AT_BOOT) + boot.text;
    return boot.problem ? atBoot + "\n" + check : check + "\n" + atBoot;
}

BOOL CBootScreenWnd::OnInitDialog()
{
    m_ticks = 0;
    // The first frame and the findings decide the window's size.
    RenderTick();
    SetStatusText(StatusText(m_findings, m_boot));
    platform::CPictureWnd::OnInitDialog();
    SetTimer(kTickTimer, logo::kBootTickMilliseconds);
    return TRUE;
}

void CBootScreenWnd::OnTimer(UINT_PTR id)
{
    if (id != kTickTimer)
        return;
    ++m_ticks;
    RenderTick();
}

void CBootScreenWnd::RenderTick()
{
    if (!m_logo.IsComplete() || !logo::IsLogoImage(*m_logo.picture)) {
        SetBorderColor(RGB(0, 0, 0));
        SetPicture(BlackScreen());
        return;
    }
    const logo::ColorTable table = logo::TableAfterTicks(*m_logo.table, *m_logo.count, m_ticks);
    // The border of a VGA screen shows entry 0.
    const logo::RgbQuad border = logo::ThroughDac(table)[0];
    SetBorderColor(RGB(border.red, border.green, border.blue));
    SetPicture(logo::RenderBootScreen(*m_logo.picture, table, true));
}
