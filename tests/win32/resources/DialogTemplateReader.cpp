#include "DialogTemplateReader.h"

#include <array>

namespace win32test {

namespace {

// Extended template header (all little-endian, WORD-aligned):
//   0  dlgVer (1)   2  signature (0xFFFF)   4  helpID   8  exStyle   12 style
//   16 cDlgItems    18 x  20 y  22 cx  24 cy   26 menu, class, title (sz_Or_Ord)
//   then with DS_SETFONT: pointsize, weight, italic (BYTE), charset (BYTE), typeface
// Each item starts on a DWORD boundary:
//   0 helpID  4 exStyle  8 style  12 x  14 y  16 cx  18 cy  20 id (DWORD)
//   24 class, title (sz_Or_Ord), extraCount (WORD) and that many bytes
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool Ok() const { return m_ok; }

    std::uint8_t U8()
    {
        if (m_at + 1 > m_bytes.size()) {
            m_ok = false;
            return 0;
        }
        return m_bytes[m_at++];
    }
    std::uint16_t U16()
    {
        const std::uint16_t low = U8();
        const std::uint16_t high = U8();
        return static_cast<std::uint16_t>(low | (high << 8));
    }
    std::uint32_t U32()
    {
        const std::uint32_t low = U16();
        const std::uint32_t high = U16();
        return low | (high << 16);
    }
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }

    std::u16string String()
    {
        std::u16string text;
        while (m_ok) {
            const std::uint16_t c = U16();
            if (c == 0 || !m_ok)
                break;
            text.push_back(static_cast<char16_t>(c));
        }
        return text;
    }

    NameOrOrdinal Field()
    {
        NameOrOrdinal field;
        const std::size_t start = m_at;
        const std::uint16_t first = U16();
        if (first == 0xFFFF) {
            field.isOrdinal = true;
            field.ordinal = U16();
        } else if (first != 0) {
            m_at = start;
            field.name = String();
        }
        return field;
    }

    void Skip(std::size_t count)
    {
        if (count > m_bytes.size() - m_at)
            m_ok = false;
        else
            m_at += count;
    }
    void AlignDword() { Skip((4 - m_at % 4) % 4); }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at = 0;
    bool m_ok = true;
};

constexpr std::uint32_t kDsSetFont = 0x40;

}  // namespace

std::optional<Dialog> ReadDialogTemplate(std::span<const std::uint8_t> bytes)
{
    Reader in(bytes);
    const std::uint16_t version = in.U16();
    const std::uint16_t signature = in.U16();
    if (!in.Ok() || version != 1 || signature != 0xFFFF)
        return std::nullopt;
    Dialog dialog;
    dialog.helpId = in.U32();
    dialog.exStyle = in.U32();
    dialog.style = in.U32();
    const std::uint16_t count = in.U16();
    dialog.x = in.I16();
    dialog.y = in.I16();
    dialog.cx = in.I16();
    dialog.cy = in.I16();
    dialog.menu = in.Field();
    dialog.windowClass = in.Field();
    dialog.caption = in.String();
    if ((dialog.style & kDsSetFont) != 0) {
        DialogFont font;
        font.pointSize = in.U16();
        font.weight = in.U16();
        font.italic = in.U8();
        font.charset = in.U8();
        font.face = in.String();
        dialog.font = font;
    }
    for (std::uint16_t i = 0; i < count && in.Ok(); ++i) {
        in.AlignDword();
        DialogItem item;
        item.helpId = in.U32();
        item.exStyle = in.U32();
        item.style = in.U32();
        item.x = in.I16();
        item.y = in.I16();
        item.cx = in.I16();
        item.cy = in.I16();
        item.id = in.U32();
        item.windowClass = in.Field();
        item.text = in.Field();
        item.extraBytes = in.U16();
        in.Skip(item.extraBytes);
        dialog.items.push_back(item);
    }
    if (!in.Ok())
        return std::nullopt;
    return dialog;
}

std::u16string PredefinedClassName(const NameOrOrdinal& windowClass)
{
    struct Predefined {
        std::uint16_t atom;
        std::u16string_view name;
    };
    constexpr std::array<Predefined, 6> kClasses = {{
        {0x0080, u"BUTTON"}, {0x0081, u"EDIT"}, {0x0082, u"STATIC"},
        {0x0083, u"LISTBOX"}, {0x0084, u"SCROLLBAR"}, {0x0085, u"COMBOBOX"},
    }};
    if (windowClass.isOrdinal) {
        for (const Predefined& predefined : kClasses) {
            if (predefined.atom == windowClass.ordinal)
                return std::u16string(predefined.name);
        }
        std::u16string number;
        for (unsigned value = windowClass.ordinal; number.empty() || value != 0; value /= 10)
            number.insert(number.begin(), static_cast<char16_t>(u'0' + value % 10));
        return u"#" + number;
    }
    std::u16string upper = windowClass.name;
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return upper;
}

}  // namespace win32test
