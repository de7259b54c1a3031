#include "ui/anim/FieldValue.h"

std::optional<std::uint8_t> ParseFieldValue(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    if (begin == end)
        return std::nullopt;
    unsigned value = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
        // Leading zeros may make the text long, never the value: stop early
        // so a long string of digits cannot overflow.
        if (value > 255)
            return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

std::string FieldText(std::uint8_t value)
{
    return std::to_string(static_cast<unsigned>(value));
}
