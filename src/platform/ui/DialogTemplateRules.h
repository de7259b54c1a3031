#pragma once
// How template data becomes a Windows dialog template: the control's window
// class, the style bits the dialog manager sees, the item id and the text of
// icon and bitmap statics. The in-memory template builder (Win32) and the
// resource script writer (build machine) both follow these, so a compiled
// DIALOGEX and a template built at run time describe the same dialog.

#include "platform/WinTypes.h"
#include "platform/ui/DialogTemplate.h"

#include <optional>
#include <string_view>

namespace platform {

// The predefined window classes, by name and by the atom a template may use.
constexpr const char* ControlClassName(ControlClass cls)
{
    switch (cls) {
    case ControlClass::Button: return "BUTTON";
    case ControlClass::Edit: return "EDIT";
    case ControlClass::Static: return "STATIC";
    case ControlClass::ComboBox: return "COMBOBOX";
    }
    return "STATIC";
}

constexpr WORD ControlClassAtom(ControlClass cls)
{
    switch (cls) {
    case ControlClass::Button: return 0x0080;
    case ControlClass::Edit: return 0x0081;
    case ControlClass::Static: return 0x0082;
    case ControlClass::ComboBox: return 0x0085;
    }
    return 0x0082;
}

constexpr bool HasDialogFont(const DialogTemplate& dialog)
{
    return dialog.fontName != nullptr && *dialog.fontName != '\0';
}

// DS_SETFONT exactly when the template names a font.
constexpr DWORD DialogWindowStyle(const DialogTemplate& dialog)
{
    return HasDialogFont(dialog) ? (dialog.style | DS_SETFONT) : (dialog.style & ~static_cast<DWORD>(DS_SETFONT));
}

// Every control is a child; it is visible unless it only marks an area.
constexpr DWORD ControlWindowStyle(const ControlTemplate& control)
{
    const DWORD style = control.style | WS_CHILD;
    return control.hidden ? (style & ~static_cast<DWORD>(WS_VISIBLE)) : (style | WS_VISIBLE);
}

// The item id as an extended template stores it (a DWORD): IDC_STATIC (-1)
// becomes 0xFFFFFFFF, as a resource compiler writes it.
constexpr DWORD DialogItemId(int id)
{
    return static_cast<DWORD>(id);
}

// The font fields of an extended template: the weight of ordinary text, not
// italic, ANSI character set.
constexpr WORD kDialogFontWeight = 400;
constexpr BYTE kDialogFontItalic = 0;
constexpr BYTE kDialogFontCharset = 0;

// "#1000" names a resource by number (the picture of an icon or bitmap
// static); any other text is shown as it is.
constexpr std::optional<WORD> ResourceOrdinalText(const char* text)
{
    if (text == nullptr || text[0] != '#' || text[1] == '\0')
        return std::nullopt;
    unsigned long value = 0;
    for (const char* p = text + 1; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned long>(*p - '0');
        if (value > 0xFFFF)
            return std::nullopt;
    }
    if (value == 0)
        return std::nullopt;
    return static_cast<WORD>(value);
}

}  // namespace platform
