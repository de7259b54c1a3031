#pragma once
// The palette cycling of the main dialog's StartUp preview: timer 1 of the
// dialog, every 100 ms, one AnimationStep on the shared PaletteState, the
// rotated table stored into the preview picture, the picture handed to the
// preview again. Only the colour table moves; no pixel is touched.

#include "logo/PaletteState.h"
#include "logo/Picture.h"
#include "platform/ui/UiConstants.h"
#include "ui/anim/PaletteLoan.h"

#include <cstdint>
#include <optional>

namespace platform {
class CDialog;
class CStatic;
}  // namespace platform

class PreviewAnimation {
public:
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kPeriodMs = 100;

    // dialog owns the timer, state is the engine (the editor's palette state),
    // preview the picture control that shows the cycling picture.
    PreviewAnimation(platform::CDialog& dialog, logo::PaletteState& state, platform::CStatic& preview);

    // Starts cycling picture's last count entries from phase 0 with its own
    // colour table. A count of 0 (a static logo) starts nothing.
    void Start(logo::Picture& picture, std::uint8_t count);
    // One tick; does nothing unless running.
    void Tick();
    // Kills the timer and clears the mark, only if running. The table is
    // left as it is: whoever stops the cycling replaces the picture next.
    void Stop();
    // Ends the loan of the picture Start was given (it is being freed): the
    // state no longer points at it.
    void ReleasePicture();

private:
    platform::CDialog& m_dialog;
    logo::PaletteState& m_state;
    platform::CStatic& m_preview;
    std::optional<PaletteLoan> m_loan;
};
