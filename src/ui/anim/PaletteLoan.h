#pragma once
// A picture lent to the palette state the main dialog shares with the
// editor, for as long as the loan lives: the state works on it from the
// start of the loan, and lets go of it at the end unless another picture
// has taken its place since. So the state never points at a picture that
// has gone, and nobody clears the pointer by hand.

#include "logo/PaletteState.h"
#include "logo/Picture.h"

class PaletteLoan {
public:
    PaletteLoan(logo::PaletteState& state, logo::LogoImage& picture) : m_state(state), m_picture(picture)
    {
        m_state.m_picture = &m_picture;
    }
    ~PaletteLoan()
    {
        if (m_state.m_picture == &m_picture)
            m_state.m_picture = nullptr;
    }
    PaletteLoan(const PaletteLoan&) = delete;
    PaletteLoan& operator=(const PaletteLoan&) = delete;

private:
    logo::PaletteState& m_state;
    logo::LogoImage& m_picture;
};
