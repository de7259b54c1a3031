#pragma once
// The Boot Screen window: the logo as a 4:3 VGA screen shows it while
// Windows starts (640 x 480, 6-bit colours, the cycle stepped every 100 ms),
// with the logo check's findings on the status line under it and, for the
// installation's start-up logo, what its MSDOS.SYS makes of it at boot. It
// borrows the picture and never changes it.

#include "logo/LogoCheck.h"
#include "slots/BootVerdict.h"
#include "platform/ui/CPictureWnd.h"
#include "ui/main/LiveLogo.h"

#include <string>
#include <vector>

class CBootScreenWnd : public platform::CPictureWnd {
public:
    static constexpr UINT_PTR kTickTimer = 1;

    // boot: what happens to the start-up logo at boot, no text where
    // nothing is known.
    CBootScreenWnd(LiveLogo logo, std::vector<logo::Finding> findings, BootSentence boot = {},
                   platform::CWnd* parent = nullptr);

    // Boot ticks shown since the window opened.
    unsigned Ticks() const { return m_ticks; }
    // The status line's text for these findings and that sentence: what
    // keeps the logo from the screen at boot comes first.
    static std::string StatusText(const std::vector<logo::Finding>& findings, const BootSentence& boot = {});

protected:
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR id) override;

private:
    // Draws the picture as the screen shows it after m_ticks ticks.
    void RenderTick();

    LiveLogo m_logo;
    std::vector<logo::Finding> m_findings;
    BootSentence m_boot;
    unsigned m_ticks = 0;
};
