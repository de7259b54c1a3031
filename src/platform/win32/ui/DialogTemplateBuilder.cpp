#include "platform/WinTypes.h"
#include "platform/win32/ui/DialogTemplateBuilder.h"

#include "platform/ui/DialogTemplateRules.h"

#include <optional>

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

}  // namespace

std::vector<WORD> BuildDialogTemplate(const DialogTemplate& t)
{
    std::vector<WORD> out;
    const bool hasFont = HasDialogFont(t);
    out.push_back(1);       // dlgVer
    out.push_back(0xFFFF);  // signature: extended template
    PutDword(out, 0);       // help id
    PutDword(out, t.exStyle);
    PutDword(out, DialogWindowStyle(t));
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
        out.push_back(kDialogFontWeight);
        out.push_back(static_cast<WORD>(kDialogFontItalic | (kDialogFontCharset << 8)));
        PutString(out, t.fontName);
    }
    for (const ControlTemplate& c : t.controls) {
        AlignDword(out);
        PutDword(out, 0);  // help id
        PutDword(out, c.exStyle);
        PutDword(out, ControlWindowStyle(c));
        out.push_back(static_cast<WORD>(c.x));
        out.push_back(static_cast<WORD>(c.y));
        out.push_back(static_cast<WORD>(c.cx));
        out.push_back(static_cast<WORD>(c.cy));
        PutDword(out, DialogItemId(c.id));
        out.push_back(0xFFFF);
        out.push_back(ControlClassAtom(c.cls));
        if (const std::optional<WORD> ordinal = ResourceOrdinalText(c.text)) {
            out.push_back(0xFFFF);
            out.push_back(*ordinal);
        } else {
            PutString(out, c.text);
        }
        out.push_back(0);  // no creation data
    }
    return out;
}

}  // namespace platform::win32
