#pragma once
// The main dialog's Animate Logo, from loading the slot's effective file to
// restoring the main dialog: the part between reading the slot and
// restarting the StartUp preview animation, which stay with the main dialog.

#include <cstdint>
#include <string>

namespace platform {
class CWnd;
}
class CAnimDlg;

enum class AnimateLogoOutcome {
    EditorRan,
    CannotLoad,  // "Could not display selected image." shown, no editor
    NotALogo,    // "The selected file is not a logo." shown, no editor
};

// Loads the file at its own size and reads its animation count into
// animatedColorCount; then, for a 320 x 400 x 8 picture, minimises the main
// dialog without activating it, runs the editor modally on the picture and
// the count, frees the picture and shows the main dialog normally again.
// A file that no longer loads, or is not a logo, gets its message instead
// and the main dialog is never minimised; one that no longer loads leaves
// animatedColorCount as it was. editor.m_picture is cleared when
// the picture is freed.
AnimateLogoOutcome RunAnimationEditor(platform::CWnd& mainDialog, CAnimDlg& editor, const std::string& path,
                                      std::uint8_t& animatedColorCount);
