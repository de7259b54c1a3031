#include "resources/compiler/RcVersionStatement.h"

#include "resources/compiler/RcQuoting.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <optional>
#include <stdexcept>

namespace res::rc {

namespace {

struct NamedValue {
    std::string_view name;
    unsigned value;
};

// The values winver.h gives these names; the script carries numbers, so
// windres needs no Windows headers.
constexpr std::array kFileOs = {
    NamedValue{"VOS_UNKNOWN", 0x00000000}, NamedValue{"VOS__WINDOWS32", 0x00000004},
    NamedValue{"VOS_DOS_WINDOWS32", 0x00010004}, NamedValue{"VOS_NT", 0x00040000},
    NamedValue{"VOS_NT_WINDOWS32", 0x00040004},
};
constexpr std::array kFileType = {
    NamedValue{"VFT_UNKNOWN", 0}, NamedValue{"VFT_APP", 1}, NamedValue{"VFT_DLL", 2},
};

constexpr std::array<std::string_view, 4> kFixedKeys = {"FILEVERSION", "PRODUCTVERSION", "FILEOS", "FILETYPE"};

bool IsFixedKey(std::string_view key)
{
    for (std::string_view fixed : kFixedKeys) {
        if (key == fixed)
            return true;
    }
    return false;
}

std::string_view FieldValue(std::span<const VersionField> fields, std::string_view key)
{
    for (const VersionField& field : fields) {
        if (field.key == key)
            return field.value;
    }
    throw std::invalid_argument("version information has no " + std::string(key));
}

// "2.0.0.0" as the script writes it: "2, 0, 0, 0".
std::string VersionNumbers(std::string_view key, std::string_view value)
{
    std::string out;
    std::size_t start = 0;
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = part < 3 ? value.find('.', start) : value.size();
        if (dot == std::string_view::npos)
            break;
        const std::string_view number = value.substr(start, dot - start);
        unsigned parsed = 0;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
        if (number.empty() || error != std::errc() || end != number.data() + number.size() || parsed > 0xFFFF)
            break;
        out += (part == 0 ? "" : ", ") + std::to_string(parsed);
        start = dot + 1;
        if (part == 3)
            return out;
    }
    throw std::invalid_argument(std::string(key) + " \"" + std::string(value)
                                + "\" is not four numbers 0 to 65535 separated by dots");
}

template <std::size_t N>
std::string NamedNumber(std::string_view key, std::string_view value, const std::array<NamedValue, N>& names)
{
    for (const NamedValue& named : names) {
        if (named.name == value) {
            char text[16];
            std::snprintf(text, sizeof text, "0x%X", named.value);
            return std::string(text) + "  // " + std::string(value);
        }
    }
    throw std::invalid_argument(std::string(key) + " \"" + std::string(value) + "\" is not a known value");
}

}  // namespace

std::string VersionInfoStatement(int id, std::span<const VersionField> fields)
{
    std::string text = std::to_string(id) + " VERSIONINFO\n";
    text += "FILEVERSION " + VersionNumbers("FILEVERSION", FieldValue(fields, "FILEVERSION")) + "\n";
    text += "PRODUCTVERSION " + VersionNumbers("PRODUCTVERSION", FieldValue(fields, "PRODUCTVERSION")) + "\n";
    text += "FILEFLAGSMASK 0x3F\n";
    text += "FILEFLAGS 0x0\n";
    text += "FILEOS " + NamedNumber("FILEOS", FieldValue(fields, "FILEOS"), kFileOs) + "\n";
    text += "FILETYPE " + NamedNumber("FILETYPE", FieldValue(fields, "FILETYPE"), kFileType) + "\n";
    text += "FILESUBTYPE 0x0\n";
    text += "BEGIN\n";
    text += "    BLOCK \"StringFileInfo\"\n";
    text += "    BEGIN\n";
    text += "        BLOCK \"040904E4\"  // US English, code page 1252\n";
    text += "        BEGIN\n";
    for (const VersionField& field : fields) {
        if (IsFixedKey(field.key))
            continue;
        try {
            text += "            VALUE " + RcQuoted(field.key) + ", " + RcQuoted(field.value) + "\n";
        } catch (const std::invalid_argument& error) {
            throw std::invalid_argument("version field " + std::string(field.key) + ": " + error.what());
        }
    }
    text += "        END\n";
    text += "    END\n";
    text += "    BLOCK \"VarFileInfo\"\n";
    text += "    BEGIN\n";
    text += "        VALUE \"Translation\", 0x409, 1252\n";
    text += "    END\n";
    text += "END\n";
    return text;
}

}  // namespace res::rc
