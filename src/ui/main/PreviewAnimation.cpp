#include "ui/main/PreviewAnimation.h"

#include "logo/Animation.h"
#include "logo/PaletteOperations.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CStatic.h"

PreviewAnimation::PreviewAnimation(platform::CDialog& dialog, logo::PaletteState& state, platform::CStatic& preview)
    : m_dialog(dialog), m_state(state), m_preview(preview)
{
}

void PreviewAnimation::Start(logo::Picture& picture, std::uint8_t count)
{
    if (count == 0)
        return;
    m_loan.emplace(m_state, picture);
    // A picture without a full 256-entry table has nothing to cycle.
    if (!logo::LoadColorTable(m_state))
        return;
    m_state.m_phase = 0;
    m_state.m_animCount = count;
    m_state.m_animating = true;
    m_dialog.SetTimer(kTimerId, kPeriodMs);
}

void PreviewAnimation::Tick()
{
    if (!m_state.m_animating || m_state.m_picture == nullptr)
        return;
    logo::AnimationStep(m_state);
    logo::StoreColorTable(m_state);
    m_preview.SetBitmap(m_state.m_picture);
}

void PreviewAnimation::Stop()
{
    if (!m_state.m_animating)
        return;
    m_dialog.KillTimer(kTimerId);
    m_state.m_animating = false;
}

void PreviewAnimation::ReleasePicture()
{
    m_loan.reset();
}
