#pragma once
// Text between the applet (UTF-8 std::string) and the toolkit, and the
// ampersand mnemonics of captions.

#include <QString>

#include <string>

namespace platform::detail {

inline QString ToQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQString(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// "&&" -> "&", "&x" -> "x": the caption as shown when nothing can take
// the mnemonic.
QString StripMnemonics(const QString& text);
// True when the caption has a mnemonic (a single '&' before a character).
bool HasMnemonic(const QString& text);

}  // namespace platform::detail
