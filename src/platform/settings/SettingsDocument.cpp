#include "platform/settings/SettingsDocument.h"

#include "platform/files/DirectoryLookup.h"
#include "platform/settings/SettingsText.h"


namespace platform {

namespace {

// Blanks at both ends, and the carriage return of a line written on Windows.
std::string_view TrimLine(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool OpensSection(std::string_view text)
{
    const std::string_view content = TrimLine(text);
    return !content.empty() && content.front() == '[';
}

constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);

// A line that is neither a header nor an entry the document reads.
bool IsVerbatim(std::string_view content, std::size_t section)
{
    if (section == kNoSection || content.empty() || content.front() == ';' || content.front() == '#')
        return true;
    const auto equals = content.find('=');
    return equals == std::string_view::npos || equals == 0;
}

}  // namespace

SettingsDocument SettingsDocument::Parse(std::string_view text)
{
    SettingsDocument document;
    // The section the following entries belong to; none before the first
    // header and after a damaged one, whose entries are kept but not read.
    std::size_t section = kNoSection;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        const std::string_view content = TrimLine(raw);
        const bool opensSection = OpensSection(content);
        if (!opensSection && IsVerbatim(content, section) && !document.lines_.empty()
            && document.lines_.back().kind == Kind::Verbatim && !OpensSection(document.lines_.back().text)) {
            // Runs of lines that are not ours stay one block of text: a file
            // of blank lines or comments costs its size, not a record a line.
            std::string& block = document.lines_.back().text;
            block += '\n';
            block += raw;
            continue;
        }

        Line line;
        line.text = std::string(raw);
        if (opensSection) {
            section = kNoSection;
            if (content.size() > 2 && content.back() == ']') {
                line.name = DecodeText(TrimLine(content.substr(1, content.size() - 2)));
                if (!line.name.empty()) {
                    line.kind = Kind::Section;
                    section = document.lines_.size();
                }
            }
        } else if (section != kNoSection && !content.empty() && content.front() != ';' && content.front() != '#') {
            const auto equals = content.find('=');
            if (equals != std::string_view::npos && equals > 0) {
                line.kind = Kind::Entry;
                line.name = DecodeText(TrimLine(content.substr(0, equals)));
                line.value = DecodeValue(content.substr(equals + 1));
                line.section = section;
            }
        }
        document.lines_.push_back(std::move(line));
    }
    return document;
}

const SettingValue* SettingsDocument::Find(std::string_view section, std::string_view entry) const
{
    for (const auto& line : lines_) {
        if (line.kind == Kind::Entry && EqualsIgnoringCase(line.name, entry) &&
            EqualsIgnoringCase(lines_[line.section].name, section))
            return &line.value;
    }
    return nullptr;
}

void SettingsDocument::Set(std::string_view section, std::string_view entry, const SettingValue& value)
{
    for (auto& line : lines_) {
        if (line.kind == Kind::Entry && EqualsIgnoringCase(line.name, entry) &&
            EqualsIgnoringCase(lines_[line.section].name, section)) {
            // Keep the stored spelling of the name; only the value changes.
            line.text = EntryText(line.name, value);
            line.value = value;
            return;
        }
    }

    Line added;
    added.kind = Kind::Entry;
    added.name = std::string(entry);
    added.value = value;
    added.text = EntryText(entry, value);
    for (std::size_t header = 0; header < lines_.size(); ++header) {
        if (lines_[header].kind != Kind::Section || !EqualsIgnoringCase(lines_[header].name, section))
            continue;
        // After the last entry of that section, before any comment that
        // introduces the next one.
        std::size_t at = header + 1;
        for (std::size_t i = header + 1; i < lines_.size(); ++i) {
            if (lines_[i].kind == Kind::Section || OpensSection(lines_[i].text))
                break;
            if (lines_[i].kind == Kind::Entry)
                at = i + 1;
        }
        added.section = header;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(added));
        // Entries after the insertion point now sit one line further down.
        for (auto& line : lines_) {
            if (line.kind == Kind::Entry && line.section >= at)
                ++line.section;
        }
        return;
    }

    Line header;
    header.kind = Kind::Section;
    header.name = std::string(section);
    // Built piecewise from an empty string: assigning a literal (alone or in
    // one expression) trips a false -Wrestrict in GCC 12.
    header.text.push_back('[');
    header.text += EncodeName(section);
    header.text += ']';
    added.section = lines_.size();
    lines_.push_back(std::move(header));
    lines_.push_back(std::move(added));
}

std::string SettingsDocument::Serialize() const
{
    std::string text;
    for (const auto& line : lines_) {
        text += line.text;
        text += '\n';
    }
    return text;
}

std::string SettingsDocument::EntryText(std::string_view entry, const SettingValue& value)
{
    return EncodeName(entry) + "=" + EncodeValue(value);
}

}  // namespace platform
