#pragma once
// Logos the export tests share.

#include "common/TestFiles.h"
#include "logo/PaletteOperations.h"

namespace export_testing {

inline logo::ColorTable TableOf(const logo::LogoImage& image)
{
    logo::ColorTable table{};
    std::copy(image.colorTable.begin(), image.colorTable.end(), table.begin());
    return table;
}

// Varied content with the 21-entry animated bar along the bottom rows.
inline logo::LogoImage MakeBarLogo()
{
    logo::LogoImage image = testing_support::MakeVariedLogo(11);
    logo::PaletteState state;
    state.m_picture = &image;
    logo::LoadColorTable(state);
    state.m_red = 30;
    state.m_green = 90;
    state.m_blue = 201;
    logo::MakeAnimatedBar(state);
    return image;
}

}  // namespace export_testing
