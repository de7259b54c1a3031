#include "platform/qt/TextConvert.h"

namespace platform::detail {

QString StripMnemonics(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;  // keep the next character, whatever it is ("&&" -> "&")
        } else if (text[i] == u'&') {
            continue;
        }
        out.append(text[i]);
    }
    return out;
}

bool HasMnemonic(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'&') {
            if (text[i + 1] != u'&') {
                return true;
            }
            ++i;
        }
    }
    return false;
}

}  // namespace platform::detail
