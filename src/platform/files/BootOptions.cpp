#include "platform/files/BootOptions.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace platform {

namespace {

bool IsSpaceOrTab(char c)
{
    return c == ' ' || c == '\t';
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The DOS kernel is full of bytes no text editor writes; Windows's file is
// plain text (0x1A may close it, as DOS editors did).
bool LooksBinary(std::string_view bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\v' && byte != '\f' && byte != '\r' &&
               byte != 0x1A;
    });
}

// [first, last) without the blanks at either end.
std::pair<std::size_t, std::size_t> Trimmed(std::string_view bytes, std::size_t first, std::size_t last)
{
    while (first < last && IsSpaceOrTab(bytes[first]))
        ++first;
    while (last > first && IsSpaceOrTab(bytes[last - 1]))
        --last;
    return {first, last};
}

}  // namespace

BootOptions BootOptions::Parse(std::string bytes)
{
    BootOptions options;
    options.bytes_ = std::move(bytes);
    const std::string_view text = options.bytes_;
    if (LooksBinary(text)) {
        options.kind_ = BootOptionsKind::DosBinary;
        return options;
    }
    std::string section;
    std::size_t begin = 0;
    while (begin < text.size()) {
        Line line;
        line.begin = begin;
        const std::size_t newline = text.find('\n', begin);
        line.next = newline == std::string_view::npos ? text.size() : newline + 1;
        line.end = newline == std::string_view::npos ? text.size() : newline;
        if (line.end > begin && text[line.end - 1] == '\r')
            --line.end;
        const auto [first, last] = Trimmed(text, begin, line.end);
        if (first < last && text[first] == '[') {
            const std::size_t close = text.find(']', first);
            if (close != std::string_view::npos && close < last) {
                const auto [nameFirst, nameLast] = Trimmed(text, first + 1, close);
                section = Lower(text.substr(nameFirst, nameLast - nameFirst));
                line.isHeader = true;
            }
        } else if (first < last && text[first] == ';') {
            line.isComment = true;
        } else if (const std::size_t equals = text.find('=', first); equals < last) {
            const auto [keyFirst, keyLast] = Trimmed(text, first, equals);
            const auto [valueFirst, valueLast] = Trimmed(text, equals + 1, last);
            line.key = Lower(text.substr(keyFirst, keyLast - keyFirst));
            // An empty value still has a place: right after the '='.
            line.valueBegin = valueFirst == valueLast ? equals + 1 : valueFirst;
            line.valueEnd = valueFirst == valueLast ? equals + 1 : valueLast;
        }
        line.section = section;
        options.lines_.push_back(line);
        begin = line.next;
    }
    return options;
}

std::optional<std::string> BootOptions::Value(std::string_view section, std::string_view key) const
{
    const std::string wantedSection = Lower(section);
    const std::string wantedKey = Lower(key);
    for (const Line& line : lines_) {
        if (!line.key.empty() && line.section == wantedSection && line.key == wantedKey)
            return bytes_.substr(line.valueBegin, line.valueEnd - line.valueBegin);
    }
    return std::nullopt;
}

bool BootOptions::IsOff(std::string_view section, std::string_view key) const
{
    return Value(section, key) == "0";
}

std::string BootOptions::BreakAfter(std::string_view text) const
{
    if (text.empty() || text.back() == '\n')
        return {};
    return text.back() == '\r' ? "\n" : LineEnd();
}

std::string BootOptions::LineEnd() const
{
    const std::size_t newline = bytes_.find('\n');
    if (newline != std::string::npos && (newline == 0 || bytes_[newline - 1] != '\r'))
        return "\n";
    return "\r\n";  // what Windows writes
}

std::string BootOptions::WithLogo(bool on) const
{
    if (kind_ == BootOptionsKind::DosBinary)
        return bytes_;
    const char digit = on ? '1' : '0';
    const auto isLogo = [](const Line& line) { return line.section == "options" && line.key == "logo"; };
    // A longer value ("00") becomes one digit; the padding comment makes up
    // for what that takes below 1024 bytes.
    std::size_t shrink = 0;
    for (const Line& line : lines_) {
        if (isLogo(line))
            shrink += line.valueEnd - line.valueBegin > 1 ? line.valueEnd - line.valueBegin - 1 : 0;
    }
    const std::size_t floor = std::min(bytes_.size(), kBootOptionsPaddedSize);
    std::size_t shortfall = bytes_.size() - shrink < floor ? floor - (bytes_.size() - shrink) : 0;

    std::string out = bytes_;
    bool found = false;
    // Back to front, so the offsets of earlier lines stay right.
    for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
        if (shortfall > 0 && line->isComment) {
            out.insert(line->end, shortfall, 'x');
            shortfall = 0;
        }
        if (isLogo(*line)) {
            out.replace(line->valueBegin, line->valueEnd - line->valueBegin, 1, digit);
            found = true;
        }
    }
    if (shortfall > 0)
        out += BreakAfter(out) + ";" + std::string(shortfall, 'x') + LineEnd();
    if (found || on)
        return out;

    const Line* lastOption = nullptr;  // where a new line goes: after the last option of [Options]
    bool inFirstOptions = false;
    bool optionsSeen = false;

    for (const Line& line : lines_) {
        if (line.isHeader) {
            inFirstOptions = line.section == "options" && !optionsSeen;
            if (inFirstOptions) {
                optionsSeen = true;
                lastOption = &line;
            }
        } else if (inFirstOptions && !line.key.empty()) {
            lastOption = &line;
        }
    }
    const std::string eol = LineEnd();
    if (lastOption != nullptr) {
        const std::string_view upTo = std::string_view(out).substr(0, lastOption->next);
        out.insert(lastOption->next, BreakAfter(upTo) + "Logo=0" + eol);
        return out;
    }
    // No [Options] at all: a section of its own at the end, before a closing
    // end-of-file mark.
    std::size_t at = out.size();
    if (at > 0 && out[at - 1] == '\x1A')
        --at;
    out.insert(at, BreakAfter(std::string_view(out).substr(0, at)) + "[Options]" + eol + "Logo=0" + eol);
    return out;
}

std::optional<BootOptions> ReadBootOptions(const std::string& hostPath, std::string& error)
{
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) {
        error = "cannot be read";
        return std::nullopt;
    }
    std::string bytes(kBootOptionsMaxBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        error = "cannot be read";
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kBootOptionsMaxBytes) {
        if (LooksBinary(bytes))
            return BootOptions::Parse(std::move(bytes));
        error = "is larger than 64 KB of text, which no MSDOS.SYS is";
        return std::nullopt;
    }
    return BootOptions::Parse(std::move(bytes));
}

}  // namespace platform
