#include "platform/qt/MessageBoxText.h"

#include <QStringList>

#include <algorithm>

namespace platform {

namespace {

// The toolkit wraps a message wider than half the screen or 500 pixels; the
// icon and the margins take about this much of that.
constexpr int kMessageBoxSoftLimit = 500;
constexpr int kIconAndMargins = 140;
constexpr int kNarrowestText = 120;

QString WrapLine(const QString& line, const QFontMetrics& metrics, int maxWidth)
{
    QString wrapped;
    QString current;
    for (const QString& word : line.split(QLatin1Char(' '))) {
        if (current.isEmpty()) {
            current = word;
            continue;
        }
        const QString longer = current + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(longer) <= maxWidth) {
            current = longer;
        } else {
            wrapped += current + QLatin1Char('\n');
            current = word;
        }
    }
    return wrapped + current;
}

}  // namespace

QString WrapAtBlanks(const QString& text, const QFontMetrics& metrics, int maxWidth)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = WrapLine(line, metrics, maxWidth);
    return lines.join(QLatin1Char('\n'));
}

int MessageTextWidth(int screenWidth)
{
    return std::max(std::min(screenWidth / 2, kMessageBoxSoftLimit) - kIconAndMargins, kNarrowestText);
}

}  // namespace platform
