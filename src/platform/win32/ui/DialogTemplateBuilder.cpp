#include "platform/WinTypes.h"
#include "platform/win32/ui/DialogTemplateBuilder.h"

#include <cstdlib>
#include <cstring>

namespace platform::win32 {

namespace {

void PutDword(std::vector<WORD>& out, DWORD value)
{
    out.push_back(LOWORD(value));
    out.push_back(HIWORD(value));
}

void PutString(std::vector<WORD>& out, const char* text)
{
    if (text == nullptr || *text == '\0') {
        out.push_back(0);
        return;
    }
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0) {
        out.push_back(0);
        return;
    }
    std::vector<WCHAR> wide(static_cast<size_t>(length));
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    for (WCHAR c : wide)
        out.push_back(static_cast<WORD>(c));
}

void AlignDword(std::vector<WORD>& out)
{
    if (out.size() % 2 != 0)
        out.push_back(0);
}

WORD ClassAtom(ControlClass cls)
{
    switch (cls) {
    case ControlClass::Button:
        return 0x0080;
    case ControlClass::Edit:
        return 0x0081;
    case ControlClass::Static:
        return 0x0082;
    case ControlClass::ComboBox:
        return 0x0085;
    }
    return 0x0082;
}

// "#1000" names a resource by number (icon and bitmap statics).
bool ResourceOrdinal(const char* text, WORD& ordinal)
{
    if (text == nullptr || text[0] != '#' || text[1] == '\0')
        return false;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text + 1, &end, 10);
    if (end == nullptr || *end != '\0' || value == 0 || value > 0xFFFF)
        return false;
    ordinal = static_cast<WORD>(value);
    return true;
}

}  // namespace

std::vector<WORD> BuildDialogTemplate(const DialogTemplate& t)
{
    std::vector<WORD> out;
    const bool hasFont = t.fontName != nullptr && *t.fontName != '\0';
    DWORD style = t.style;
    if (hasFont)
        style |= DS_SETFONT;
    else
        style &= ~static_cast<DWORD>(DS_SETFONT);
    out.push_back(1);       // dlgVer
    out.push_back(0xFFFF);  // signature: extended template
    PutDword(out, 0);       // help id
    PutDword(out, t.exStyle);
    PutDword(out, style);
    out.push_back(static_cast<WORD>(t.controls.size()));
    out.push_back(static_cast<WORD>(t.x));
    out.push_back(static_cast<WORD>(t.y));
    out.push_back(static_cast<WORD>(t.cx));
    out.push_back(static_cast<WORD>(t.cy));
    out.push_back(0);  // no menu
    out.push_back(0);  // the dialog class
    PutString(out, t.caption);
    if (hasFont) {
        out.push_back(static_cast<WORD>(t.fontPointSize));
        out.push_back(FW_NORMAL);
        out.push_back(0);  // italic = 0, charset = ANSI_CHARSET (0)
        PutString(out, t.fontName);
    }
    for (const ControlTemplate& c : t.controls) {
        AlignDword(out);
        DWORD controlStyle = c.style | WS_CHILD;
        if (!c.hidden)
            controlStyle |= WS_VISIBLE;
        else
            controlStyle &= ~static_cast<DWORD>(WS_VISIBLE);
        PutDword(out, 0);  // help id
        PutDword(out, c.exStyle);
        PutDword(out, controlStyle);
        out.push_back(static_cast<WORD>(c.x));
        out.push_back(static_cast<WORD>(c.y));
        out.push_back(static_cast<WORD>(c.cx));
        out.push_back(static_cast<WORD>(c.cy));
        PutDword(out, static_cast<DWORD>(c.id == -1 ? 0xFFFF : c.id));
        out.push_back(0xFFFF);
        out.push_back(ClassAtom(c.cls));
        WORD ordinal = 0;
        if (ResourceOrdinal(c.text, ordinal)) {
            out.push_back(0xFFFF);
            out.push_back(ordinal);
        } else {
            PutString(out, c.text);
        }
        out.push_back(0);  // no creation data
    }
    return out;
}

}  // namespace platform::win32
