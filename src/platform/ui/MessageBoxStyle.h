#pragma once
// What a message box type word (MB_*) asks for: which buttons, which icon,
// which button is the default and what Escape answers.

#include "platform/WinTypes.h"

#include <vector>

namespace platform {

enum class MessageBoxButtons { Ok, OkCancel, YesNoCancel, YesNo };
enum class MessageBoxIcon { None, Stop, Question, Exclamation, Information };

struct MessageBoxStyle {
    MessageBoxButtons buttons = MessageBoxButtons::Ok;
    MessageBoxIcon icon = MessageBoxIcon::None;
    int defaultButton = 0;  // 0-based position among Answers(); MB_DEFBUTTON2 gives 1
};

// Button kinds the program does not use (abort/retry/ignore, retry/cancel)
// fall back to a single OK button; a default button beyond the last one falls
// back to the first, as Windows does.
MessageBoxStyle DecodeMessageBoxType(UINT type);

// The answers of the buttons, left to right: {IDYES, IDNO} for a Yes/No box.
std::vector<int> MessageBoxAnswers(MessageBoxButtons buttons);

// Escape and the title bar's close box: IDCANCEL where there is a Cancel
// button, IDOK on an OK-only box, IDNO on a Yes/No box.
int MessageBoxEscapeAnswer(MessageBoxButtons buttons);

}  // namespace platform
