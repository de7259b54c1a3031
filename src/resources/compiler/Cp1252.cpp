#include "resources/compiler/Cp1252.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace res::rc {

namespace {

// Bytes 0x80..0x9F; zero where the code page defines no character.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88..8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98..9F
};

std::string CodePointName(char32_t c)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

char ToCp1252(char32_t c, std::string_view text)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(static_cast<unsigned char>(c));
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c && c != 0)
            return static_cast<char>(static_cast<unsigned char>(0x80 + i));
    }
    throw std::invalid_argument("code page 1252 has no character " + CodePointName(c) + ", in \""
                                + std::string(text) + "\"");
}

[[noreturn]] void Malformed(std::string_view text, std::size_t at)
{
    throw std::invalid_argument("malformed UTF-8 at byte " + std::to_string(at) + " of \"" + std::string(text)
                                + "\"");
}

}  // namespace

std::string Utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 0;
        char32_t c = 0;
        if (lead < 0x80) {
            length = 1;
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            c = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            c = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            c = lead & 0x07;
        } else {
            Malformed(utf8, i);
        }
        if (length > utf8.size() - i)
            Malformed(utf8, i);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                Malformed(utf8, i);
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms and surrogates are not characters.
        constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kSmallest[length] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            Malformed(utf8, i);
        out.push_back(ToCp1252(c, utf8));
        i += length;
    }
    return out;
}

}  // namespace res::rc
