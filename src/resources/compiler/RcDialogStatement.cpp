#include "resources/compiler/RcDialogStatement.h"

#include "platform/ui/DialogTemplateRules.h"
#include "resources/compiler/RcQuoting.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <stdexcept>

namespace res::rc {

namespace {

std::string Hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

// The value itself, and NOT for the bits windres sets on its own although
// the value leaves them clear.
std::string StyleExpression(DWORD style, DWORD addedByCompiler)
{
    std::string text = Hex(style);
    const DWORD unwanted = addedByCompiler & ~style;
    if (unwanted != 0)
        text += " | NOT " + Hex(unwanted);
    return text;
}

std::string Rect(short x, short y, short cx, short cy)
{
    return std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(cx) + ", " + std::to_string(cy);
}

// A number names a resource (the picture of an icon or bitmap static); any
// other text is a string.
std::string ControlText(const char* text)
{
    if (const std::optional<WORD> ordinal = platform::ResourceOrdinalText(text))
        return std::to_string(*ordinal);
    return RcQuoted(text == nullptr ? "" : text);
}

std::string ControlLine(const platform::ControlTemplate& control)
{
    const std::string id = std::to_string(static_cast<std::int32_t>(platform::DialogItemId(control.id)));
    std::string line = "    CONTROL " + ControlText(control.text) + ", " + id + ", \""
                       + platform::ControlClassName(control.cls) + "\", "
                       + StyleExpression(platform::ControlWindowStyle(control), WS_CHILD | WS_VISIBLE) + ", "
                       + Rect(control.x, control.y, control.cx, control.cy) + ", " + Hex(control.exStyle) + "\n";
    return line;
}

}  // namespace

std::string DialogexStatement(const platform::DialogTemplate& dialog)
{
    const bool hasCaption = dialog.caption != nullptr && *dialog.caption != '\0';
    const bool hasFont = platform::HasDialogFont(dialog);
    const DWORD added = (hasCaption ? WS_CAPTION : 0) | (hasFont ? DS_SETFONT : 0);

    std::string text;
    try {
        text = std::to_string(dialog.id) + " DIALOGEX " + Rect(dialog.x, dialog.y, dialog.cx, dialog.cy) + "\n";
        text += "STYLE " + StyleExpression(platform::DialogWindowStyle(dialog), added) + "\n";
        text += "EXSTYLE " + Hex(dialog.exStyle) + "\n";
        if (hasCaption)
            text += "CAPTION " + RcQuoted(dialog.caption) + "\n";
        if (hasFont) {
            text += "FONT " + std::to_string(dialog.fontPointSize) + ", " + RcQuoted(dialog.fontName) + ", "
                    + std::to_string(platform::kDialogFontWeight) + ", "
                    + std::to_string(platform::kDialogFontItalic) + ", "
                    + std::to_string(platform::kDialogFontCharset) + "\n";
        }
        text += "BEGIN\n";
        for (const platform::ControlTemplate& control : dialog.controls)
            text += ControlLine(control);
        text += "END\n";
    } catch (const std::invalid_argument& error) {
        throw std::invalid_argument("dialog " + std::to_string(dialog.id) + ": " + error.what());
    }
    return text;
}

}  // namespace res::rc
