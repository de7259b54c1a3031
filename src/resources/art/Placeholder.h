#pragma once
// IDB_PREVIEW_UNAVAILABLE, what the main preview shows when a slot has no picture:
// "Preview" above "Unavailable" in bold red letters with darker red edges,
// centred on white; 235 x 142 pixels, 16 colours.

#include "logo/Picture.h"

namespace res::art {

constexpr int kPlaceholderWidth = 235;
constexpr int kPlaceholderHeight = 142;

logo::Picture RenderPlaceholder();

}  // namespace res::art
