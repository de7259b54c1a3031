#pragma once
// Small argument parsers the lumva-logo commands share.

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace tools {

// A whole decimal number in [low, high], nothing else.
inline std::optional<unsigned> ParseWholeNumber(std::string_view text, unsigned low, unsigned high)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// True when the name ends in the extension (".gif"), in any case.
inline bool HasExtension(std::string_view name, std::string_view extension)
{
    if (name.size() <= extension.size())
        return false;
    const std::string_view tail = name.substr(name.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

// File attributes as lumva-logo prints them: "0x27".
inline std::string HexAttributes(unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

// "lumva-logo: PROBLEM" and the command's own usage lines, whose first
// line's indent becomes "usage: "; returns the bad-usage status 2.
inline int CommandUsageError(std::ostream& err, std::string_view problem, std::string_view usageLines)
{
    constexpr std::string_view kLead = "usage: ";
    err << "lumva-logo: " << problem << '\n' << kLead;
    if (usageLines.size() > kLead.size())
        usageLines.remove_prefix(kLead.size());
    err << usageLines;
    return 2;
}

}  // namespace tools
