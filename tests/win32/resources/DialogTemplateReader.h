#pragma once
// Reads an extended dialog template (DLGTEMPLATEEX and its items) back into
// fields, so a compiled DIALOGEX and a template built in memory can be
// compared field by field. Written from the layout the dialog manager
// reads, independently of the code that writes templates.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace win32test {

// A name or an ordinal, as templates store classes, texts and menus.
struct NameOrOrdinal {
    bool isOrdinal = false;
    std::uint16_t ordinal = 0;
    std::u16string name;  // empty and not an ordinal: the field was absent

    bool operator==(const NameOrOrdinal&) const = default;
};

struct DialogItem {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t id = 0;
    NameOrOrdinal windowClass;
    NameOrOrdinal text;
    std::uint16_t extraBytes = 0;
};

struct DialogFont {
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t charset = 0;
    std::u16string face;
};

struct Dialog {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::u16string caption;
    std::optional<DialogFont> font;  // present when the style has DS_SETFONT
    std::vector<DialogItem> items;
};

// Nullopt for a template that is not extended or ends before its last
// field.
std::optional<Dialog> ReadDialogTemplate(std::span<const std::uint8_t> bytes);

// The predefined class an item names, by atom or by name, as its upper-case
// name ("BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX");
// other names unchanged.
std::u16string PredefinedClassName(const NameOrOrdinal& windowClass);

}  // namespace win32test
