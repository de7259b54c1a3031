#include "platform/settings/SettingsText.h"

#include "platform/HexDigit.h"

#include <cstdint>

namespace platform {

namespace {

constexpr std::string_view kStringTag = "str:";
constexpr std::string_view kDwordTag = "dword:";

void AppendEscaped(std::string& out, char c)
{
    constexpr char kHex[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::int32_t> ParseDword(std::string_view text)
{
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    unsigned base = 10;
    if (!negative && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    for (const char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0 || static_cast<unsigned>(digit) >= base)
            return std::nullopt;
        magnitude = magnitude * base + static_cast<unsigned>(digit);
        if (magnitude > UINT32_MAX)
            return std::nullopt;
    }
    if (negative) {
        if (magnitude > static_cast<std::uint64_t>(INT32_MAX) + 1)
            return std::nullopt;
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
}

}  // namespace

std::string EncodeName(std::string_view name)
{
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool atEdge = i == 0 || i + 1 == name.size();
        if (c == '%' || IsControl(c) || c == '=' || c == '[' || c == ']' || c == ';' || c == '#' ||
            (atEdge && IsBlank(c)))
            AppendEscaped(out, c);
        else
            out += c;
    }
    return out;
}

std::string EncodeValue(const SettingValue& value)
{
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return std::string(kDwordTag) + std::to_string(*number);
    std::string out(kStringTag);
    if (const auto* text = std::get_if<std::string>(&value)) {
        for (std::size_t i = 0; i < text->size(); ++i) {
            const char c = (*text)[i];
            const bool atEdge = i == 0 || i + 1 == text->size();
            if (c == '%' || IsControl(c) || (atEdge && IsBlank(c)))
                AppendEscaped(out, c);
            else
                out += c;
        }
    }
    return out;
}

std::string DecodeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

SettingValue DecodeValue(std::string_view text)
{
    text = Trim(text);
    if (text.substr(0, kStringTag.size()) == kStringTag)
        return DecodeText(text.substr(kStringTag.size()));
    if (text.substr(0, kDwordTag.size()) == kDwordTag) {
        if (const auto number = ParseDword(text.substr(kDwordTag.size())))
            return *number;
    }
    return std::monostate{};
}

}  // namespace platform
