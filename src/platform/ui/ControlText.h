#pragma once
// How tall a text control must be to show all of its text word-wrapped at a
// given width: on Windows what DrawText measures with DT_CALCRECT |
// DT_WORDBREAK in the control's font, plus the control's edges.

namespace platform {

class CWnd;

// The whole control's height in pixels, edges included, that shows every
// line of its current text when it is width pixels wide; 0 without a window.
int ControlHeightForWidth(const CWnd& control, int width);

}  // namespace platform
