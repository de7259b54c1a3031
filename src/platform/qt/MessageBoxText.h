#pragma once
// Message box text broken into lines as Windows breaks it: at blanks only,
// never inside a word, so a path such as C:\WINDOWS\SYSTEM\New.tpl stays on
// one line. The toolkit's own wrapping would also break after ':' or '\'.

#include <QFontMetrics>
#include <QString>

namespace platform {

// Each line of text (lines end at '\n') is filled with words up to maxWidth
// pixels; a word wider than that gets a line of its own.
QString WrapAtBlanks(const QString& text, const QFontMetrics& metrics, int maxWidth);

// The widest line a message box shows before it would wrap it itself, for
// a screen of that width.
int MessageTextWidth(int screenWidth);

}  // namespace platform
