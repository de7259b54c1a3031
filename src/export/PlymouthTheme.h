#pragma once
// The logo as Linux's own boot splash: a Plymouth script theme that shows it
// the way the Windows 9x boot screen does. The 4:3 screen is centred on the
// display at the largest whole-number multiple of 640 x 480 that fits (up to
// four times), so every logo pixel stays sharp; the display around it shows
// entry 0, as the screen's border does; the cycle steps every 100 ms through
// exactly its N frames; every colour goes through the 6-bit DAC.
//
// Plymouth has no palettes and only a blurring scaler, so the theme carries
// the pictures ready made, per scale: the whole screen once (screen-K.png)
// and, per frame, only the rectangle of pixels that use a cycling entry,
// transparent elsewhere (cycle-K-F.png).

#include "export/ExportResult.h"
#include "logo/Picture.h"

#include <cstdint>
#include <string>

namespace exporting {

constexpr int kPlymouthScales = 4;

struct PlymouthThemeFiles {
    std::string name;          // the folder's own name, which Plymouth calls the theme by
    std::string themeFile;     // FOLDER/NAME.plymouth
    int frames = 0;            // N; 1 for a static logo or a cycle no pixel uses
    std::uintmax_t bytes = 0;  // of all the files together
};

// Writes the theme into `folder`: NAME.plymouth, NAME.script, border.png and
// the pictures. The theme file names the folder by its absolute path (as
// Plymouth needs), so the theme works where it is written, e.g.
// /usr/share/plymouth/themes/NAME. The folder must be new, empty or an
// earlier theme of ours; it is replaced whole, or left as it was when
// anything fails. The picture must be a logo.
ExportResult ExportPlymouthTheme(const std::string& folder, const logo::LogoImage& picture,
                                 const logo::ColorTable& table, std::uint8_t count, PlymouthThemeFiles& written);

}  // namespace exporting
