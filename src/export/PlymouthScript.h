#pragma once
// The text files of a Plymouth script theme: the theme file Plymouth finds it
// by and the script that lays out and steps the pictures (the script
// language of Plymouth's "script" module).

#include "logo/Picture.h"

#include <string>
#include <vector>

namespace exporting {

// Where each scale's cycle rectangle lies on its screen, and whether its
// frames are small enough to load once (otherwise each is loaded when shown).
struct PlymouthCycleRect {
    int left = 0;
    int top = 0;
    bool preload = true;
};

struct PlymouthScriptLayout {
    int frames = 1;                           // 1: nothing cycles
    std::vector<PlymouthCycleRect> perScale;  // [0] is scale 1
};

// Marks the theme files we write, so an export may replace an earlier one.
inline constexpr const char* kPlymouthThemeMarker = "(lumva-logo export --plymouth)";

std::string PlymouthThemeFile(const std::string& name, const std::string& absoluteFolder);

std::string PlymouthScript(const PlymouthScriptLayout& layout);

}  // namespace exporting
