#pragma once
// The editor's mouse tools: pick a colour from the preview, place the
// current colour into swatches, take a swatch's colour, choose the start of
// the animated range, swap two swatches. Holds the tool state and runs the
// transitions; capture, confinement and cursors go to the platform, all
// else to the editor through AnimToolHost.
//
// A running tool never traps the user: while any tool runs the editor holds
// the mouse capture, so the right button (cancel) reaches it wherever it is
// pressed, and capture and confinement are let go whenever the editor closes
// or loses activation (Suspend) and taken again when it comes back (Resume).

#include "logo/PaletteOperations.h"
#include "platform/WinTypes.h"
#include "platform/ui/Cursors.h"
#include "ui/anim/AnimToolHost.h"

#include <cstdint>
#include <optional>

class AnimMouseTools {
public:
    explicit AnimMouseTools(AnimToolHost& host) : m_host(host) {}

    // Editor opening: every tool off, nothing over the grid.
    void Reset();

    void StartPick();   // IDC_ANIM_PICK
    void StartPlace();  // IDC_ANIM_PLACE
    void OnMouseMove(UINT keyFlags, POINT point);
    void OnLButtonDown(UINT keyFlags, POINT point);
    void OnRButtonDown(UINT keyFlags, POINT point);
    // WM_SETCURSOR: true while the editor's own cursor must stay.
    bool KeepsCursor() const { return m_ownCursor; }

    // Lets go of capture and confinement (editor inactive or a prompt
    // open); the tools stay as they are.
    void Suspend();
    // Takes capture and confinement again for the tools still running.
    void Resume();
    // The editor closes: every tool ends, the cursor is given back.
    void EndAll();

    bool Running() const { return m_pickMode || m_placeMode || m_swapMode; }

    bool m_pickMode = false;
    bool m_placeMode = false;
    bool m_swapMode = false;
    bool m_overGrid = false;
    bool m_ownCursor = false;
    logo::ColorValue m_savedColor = 0;
    HCURSOR m_savedCursor = nullptr;
    // The first swatch of a swap. Kept apart from m_highlight, which frames
    // it but which a focus change of the count field may move meanwhile.
    std::uint8_t m_swapFirst = 0;

private:
    bool InHotArea(POINT point);
    void SetToolCursor(int cursorId, bool keepPrevious);
    void RestoreCursor();
    void Confine(const RECT& screenRect);
    void ReleaseConfinement();
    // Capture while any tool runs, none otherwise.
    void SyncCapture();

    AnimToolHost& m_host;
    std::optional<RECT> m_confinement;  // what the running tools confine to
};
