#include "platform/win32/ui/HelpPlainText.h"

#include <cctype>
#include <optional>
#include <vector>

namespace platform::win32 {

namespace {

bool IsBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::size_t Indent(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? line.size() : first;
}

std::string_view Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool IsPunctuation(char c)
{
    return std::ispunct(static_cast<unsigned char>(c)) != 0;
}

bool IsWordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

void AppendUtf8(std::string& out, unsigned long code)
{
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// "&amp;" and the like at text[at]; the length consumed, 0 when none.
std::size_t CharacterReference(std::string_view text, std::size_t at, std::string& out)
{
    static constexpr std::pair<std::string_view, std::string_view> kNamed[] = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&nbsp;", " "},
    };
    for (const auto& [name, value] : kNamed) {
        if (text.substr(at, name.size()) == name) {
            out += value;
            return name.size();
        }
    }
    if (text.substr(at, 2) != "&#")
        return 0;
    const bool hex = at + 2 < text.size() && (text[at + 2] == 'x' || text[at + 2] == 'X');
    std::size_t end = at + (hex ? 3 : 2);
    unsigned long code = 0;
    std::size_t digits = 0;
    while (end < text.size() && digits < 7
           && (hex ? std::isxdigit(static_cast<unsigned char>(text[end])) : std::isdigit(static_cast<unsigned char>(text[end])))) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[end])));
        code = code * (hex ? 16 : 10) + static_cast<unsigned long>(c <= '9' ? c - '0' : c - 'a' + 10);
        ++end;
        ++digits;
    }
    if (digits == 0 || end >= text.size() || text[end] != ';')
        return 0;
    AppendUtf8(out, code);
    return end + 1 - at;
}

bool IsWebOrMail(std::string_view address)
{
    return address.starts_with("http://") || address.starts_with("https://") || address.starts_with("mailto:");
}

// "[label](address ...)" at text[at] (at the '['); the length consumed.
std::size_t Link(std::string_view text, std::size_t at, std::string& out)
{
    int depth = 0;
    std::size_t close = std::string_view::npos;
    for (std::size_t i = at; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == '[') {
            ++depth;
        } else if (text[i] == ']' && --depth == 0) {
            close = i;
            break;
        }
    }
    if (close == std::string_view::npos)
        return 0;
    const std::string_view label = text.substr(at + 1, close - at - 1);
    if (close + 1 < text.size() && text[close + 1] == '(') {
        const std::size_t end = text.find(')', close + 2);
        if (end == std::string_view::npos)
            return 0;
        const std::string_view target = Trim(text.substr(close + 2, end - close - 2));
        const std::string_view address = target.substr(0, target.find(' '));
        out += InlinePlainText(label);
        if (IsWebOrMail(address)) {
            out += " (";
            out += address.starts_with("mailto:") ? address.substr(7) : address;
            out += ')';
        }
        return end + 1 - at;
    }
    // A reference link: the label is what shows.
    if (close + 1 < text.size() && text[close + 1] == '[') {
        const std::size_t end = text.find(']', close + 2);
        if (end != std::string_view::npos) {
            out += InlinePlainText(label);
            return end + 1 - at;
        }
    }
    return 0;
}

// "<https://...>", "<a@b.c>" or an HTML tag at text[at]; the length consumed.
std::size_t AngleBrackets(std::string_view text, std::size_t at, std::string& out)
{
    const std::size_t end = text.find('>', at + 1);
    if (end == std::string_view::npos)
        return 0;
    const std::string_view inside = text.substr(at + 1, end - at - 1);
    if (inside.empty() || inside.find_first_of(" \t") != std::string_view::npos) {
        const bool tag = !inside.empty() && (std::isalpha(static_cast<unsigned char>(inside[0])) != 0 || inside[0] == '/');
        return tag ? end + 1 - at : 0;
    }
    if (inside.find(':') != std::string_view::npos || inside.find('@') != std::string_view::npos) {
        out += inside.starts_with("mailto:") ? inside.substr(7) : inside;
        return end + 1 - at;
    }
    // A tag such as <br> or </b>: markup, not text.
    return std::isalpha(static_cast<unsigned char>(inside[0])) != 0 || inside[0] == '/' ? end + 1 - at : 0;
}

// A run of '*', '_' or '~' is emphasis when it touches text on one side;
// '_' inside a word is a plain underscore.
bool IsEmphasisRun(std::string_view text, std::size_t at, std::size_t length)
{
    const char mark = text[at];
    const char before = at > 0 ? text[at - 1] : ' ';
    const char after = at + length < text.size() ? text[at + length] : ' ';
    const bool touchesBefore = before != ' ' && before != '\t';
    const bool touchesAfter = after != ' ' && after != '\t';
    if (!touchesBefore && !touchesAfter)
        return false;
    if (mark == '_' && IsWordChar(before) && IsWordChar(after))
        return false;
    if (mark == '~' && length != 2)
        return false;
    return true;
}

}  // namespace

std::string InlinePlainText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size() && IsPunctuation(text[i + 1])) {
            out += text[i + 1];
            i += 2;
            continue;
        }
        if (c == '`') {
            std::size_t run = 0;
            while (i + run < text.size() && text[i + run] == '`')
                ++run;
            const std::string_view fence = text.substr(i, run);
            const std::size_t close = text.find(fence, i + run);
            if (close == std::string_view::npos) {
                out += fence;
                i += run;
                continue;
            }
            std::string_view code = text.substr(i + run, close - i - run);
            if (code.size() >= 2 && code.front() == ' ' && code.back() == ' ')
                code = code.substr(1, code.size() - 2);
            out += code;
            i = close + run;
            continue;
        }
        if (c == '!' && i + 1 < text.size() && text[i + 1] == '[') {
            if (const std::size_t used = Link(text, i + 1, out)) {
                i += 1 + used;
                continue;
            }
        }
        if (c == '[') {
            if (const std::size_t used = Link(text, i, out)) {
                i += used;
                continue;
            }
        }
        if (c == '<') {
            if (const std::size_t used = AngleBrackets(text, i, out)) {
                i += used;
                continue;
            }
        }
        if (c == '&') {
            if (const std::size_t used = CharacterReference(text, i, out)) {
                i += used;
                continue;
            }
        }
        if (c == '*' || c == '_' || c == '~') {
            std::size_t run = 0;
            while (i + run < text.size() && text[i + run] == c)
                ++run;
            if (!IsEmphasisRun(text, i, run))
                out.append(run, c);
            i += run;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

namespace {

struct ListMarker {
    std::string prefix;  // as shown: indent, then "- " or "3. "
    std::size_t contentStart = 0;
};

std::optional<ListMarker> ListItem(std::string_view line)
{
    const std::size_t indent = Indent(line);
    if (indent >= line.size())
        return std::nullopt;
    const char first = line[indent];
    if ((first == '-' || first == '*' || first == '+') && indent + 1 < line.size() && line[indent + 1] == ' ')
        return ListMarker{std::string(indent, ' ') + "- ", indent + 2};
    std::size_t digits = 0;
    while (indent + digits < line.size() && digits < 9 && std::isdigit(static_cast<unsigned char>(line[indent + digits])))
        ++digits;
    const std::size_t after = indent + digits;
    if (digits > 0 && after + 1 < line.size() && (line[after] == '.' || line[after] == ')') && line[after + 1] == ' ')
        return ListMarker{std::string(indent, ' ') + std::string(line.substr(indent, digits)) + ". ", after + 2};
    return std::nullopt;
}

// "---", "***", "___" (three or more, spaces allowed between).
bool IsThematicBreak(std::string_view line)
{
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || (trimmed[0] != '-' && trimmed[0] != '*' && trimmed[0] != '_'))
        return false;
    std::size_t marks = 0;
    for (const char c : trimmed) {
        if (c == trimmed[0])
            ++marks;
        else if (c != ' ')
            return false;
    }
    return marks >= 3;
}

bool IsSetextUnderline(std::string_view line)
{
    const std::string_view trimmed = Trim(line);
    return !trimmed.empty() && trimmed.find_first_not_of(trimmed[0]) == std::string_view::npos
        && (trimmed[0] == '=' || trimmed[0] == '-');
}

bool IsTableRow(std::string_view line)
{
    return Trim(line).starts_with('|');
}

bool IsTableDelimiter(std::string_view line)
{
    const std::string_view trimmed = Trim(line);
    return IsTableRow(line) && trimmed.find('-') != std::string_view::npos
        && trimmed.find_first_not_of("|-: ") == std::string_view::npos;
}

std::string TableRow(std::string_view line)
{
    std::string_view row = Trim(line);
    row.remove_prefix(1);
    if (!row.empty() && row.back() == '|' && (row.size() < 2 || row[row.size() - 2] != '\\'))
        row.remove_suffix(1);
    std::string out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= row.size(); ++i) {
        if (i < row.size() && row[i] == '\\') {
            ++i;
            continue;
        }
        if (i == row.size() || row[i] == '|') {
            if (start > 0)
                out += '\t';
            out += InlinePlainText(Trim(row.substr(start, i - start)));
            start = i + 1;
        }
    }
    return out;
}

std::optional<std::string_view> AtxHeading(std::string_view line)
{
    const std::size_t indent = Indent(line);
    if (indent > 3)
        return std::nullopt;
    std::size_t level = 0;
    while (indent + level < line.size() && line[indent + level] == '#')
        ++level;
    if (level == 0 || level > 6)
        return std::nullopt;
    const std::size_t after = indent + level;
    if (after < line.size() && line[after] != ' ' && line[after] != '\t')
        return std::nullopt;
    std::string_view text = Trim(line.substr(after));
    const std::size_t closing = text.find_last_not_of('#');
    if (closing == std::string_view::npos)
        return std::string_view();
    if (closing + 1 < text.size() && (text[closing] == ' ' || text[closing] == '\t'))
        text = Trim(text.substr(0, closing + 1));
    return text;
}

bool IsFence(std::string_view line)
{
    const std::string_view trimmed = Trim(line);
    return Indent(line) <= 3 && (trimmed.starts_with("```") || trimmed.starts_with("~~~"));
}

class Renderer {
public:
    void Line(std::string_view line)
    {
        if (m_inFence) {
            if (IsFence(line)) {
                m_inFence = false;
                m_blankBefore = true;
            } else {
                Emit("    " + std::string(line));
            }
            return;
        }
        if (IsBlank(line)) {
            Flush();
            m_blankBefore = true;
            return;
        }
        if (IsFence(line)) {
            Flush();
            m_inFence = true;
            return;
        }
        if (m_pending && !m_pendingIsList && IsSetextUnderline(line)) {
            m_pendingPrefix.clear();
            Flush();
            m_blankBefore = true;
            return;
        }
        if (const std::optional<std::string_view> heading = AtxHeading(line)) {
            Flush();
            Emit(InlinePlainText(*heading));
            m_blankBefore = true;
            return;
        }
        if (IsThematicBreak(line)) {
            Flush();
            Emit("----------");
            m_blankBefore = true;
            return;
        }
        if (IsTableRow(line)) {
            Flush();
            if (!IsTableDelimiter(line))
                Emit(TableRow(line));
            return;
        }
        if (const std::optional<ListMarker> item = ListItem(line)) {
            Flush();
            Start(item->prefix, true);
            Append(line.substr(item->contentStart));
            return;
        }
        const std::string_view trimmed = Trim(line);
        if (trimmed.starts_with('>')) {
            if (!m_pending)
                Start("    ", false);
            std::string_view quoted = trimmed.substr(1);
            if (quoted.starts_with(' '))
                quoted.remove_prefix(1);
            Append(quoted);
            return;
        }
        if (!m_pending && Indent(line) >= 4) {
            Emit(std::string(line));
            return;
        }
        if (!m_pending)
            Start("", false);
        Append(line);
    }

    std::string Finish()
    {
        Flush();
        return m_out;
    }

private:
    void Start(std::string prefix, bool list)
    {
        m_pending = true;
        m_pendingIsList = list;
        m_pendingPrefix = std::move(prefix);
        m_pendingText.clear();
    }

    void Append(std::string_view line)
    {
        // Two trailing spaces or a backslash break the line; otherwise a
        // new line of the source continues the same line of text.
        const bool hardBreak = line.ends_with("  ") || line.ends_with('\\');
        std::string_view text = Trim(line);
        if (text.ends_with('\\'))
            text.remove_suffix(1);
        if (!m_pendingText.empty() && m_pendingText.back() != '\n')
            m_pendingText += ' ';
        m_pendingText += text;
        if (hardBreak)
            m_pendingText += '\n';
    }

    void Flush()
    {
        if (!m_pending)
            return;
        m_pending = false;
        std::string text = InlinePlainText(m_pendingText);
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        // Lines after a hard break line up under the first.
        const std::string continuation(m_pendingPrefix.size(), ' ');
        std::string shown = m_pendingPrefix;
        for (const char c : text) {
            shown += c;
            if (c == '\n')
                shown += continuation;
        }
        Emit(shown);
    }

    void Emit(const std::string& line)
    {
        if (m_blankBefore && !m_out.empty())
            m_out += '\n';
        m_blankBefore = false;
        m_out += line;
        m_out += '\n';
    }

    std::string m_out;
    bool m_inFence = false;
    bool m_blankBefore = false;
    bool m_pending = false;
    bool m_pendingIsList = false;
    std::string m_pendingPrefix;
    std::string m_pendingText;
};

}  // namespace

std::string HelpPlainText(std::string_view markdown)
{
    // A byte-order mark is no part of the text.
    if (markdown.starts_with("\xEF\xBB\xBF"))
        markdown.remove_prefix(3);
    Renderer renderer;
    std::size_t start = 0;
    while (start <= markdown.size()) {
        std::size_t end = markdown.find('\n', start);
        if (end == std::string_view::npos)
            end = markdown.size();
        std::string_view line = markdown.substr(start, end - start);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (end == markdown.size() && line.empty())
            break;
        renderer.Line(line);
        start = end + 1;
    }
    return renderer.Finish();
}

}  // namespace platform::win32
