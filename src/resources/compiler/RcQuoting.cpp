#include "resources/compiler/RcQuoting.h"

#include "resources/compiler/Cp1252.h"

namespace res::rc {

std::string RcQuoted(std::string_view utf8)
{
    const std::string text = Utf8ToCp1252(utf8);
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\"\""; continue;
        case '\\': out += "\\\\"; continue;
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        case '\t': out += "\\t"; continue;
        default: break;
        }
        if (byte < 0x20 || byte == 0x7F) {
            // Always three digits, so a digit after the escape stays a digit.
            out.push_back('\\');
            out.push_back(static_cast<char>('0' + ((byte >> 6) & 7)));
            out.push_back(static_cast<char>('0' + ((byte >> 3) & 7)));
            out.push_back(static_cast<char>('0' + (byte & 7)));
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
    return out;
}

}  // namespace res::rc
