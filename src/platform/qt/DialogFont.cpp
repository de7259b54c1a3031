#include "platform/qt/DialogFont.h"
#include "platform/ui/Dlu.h"

namespace platform::detail {

QFont DialogFont(const DialogTemplate& tpl)
{
    const int points = tpl.fontPointSize > 0 ? tpl.fontPointSize : 8;
    // The templates name a Windows font; a sans font of the system with
    // similar widths stands in (the base units assume about 6 pixels a
    // character), the narrow ones first.
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("FreeSans"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, MulDiv(points, 96, 72)));
    return font;
}

}  // namespace platform::detail
