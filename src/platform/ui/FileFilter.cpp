#include "platform/ui/FileFilter.h"

#include <cstddef>

namespace platform {
namespace {

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitGlobs(const std::string& text, const std::string& separators)
{
    std::vector<std::string> globs;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = text.find_first_of(separators, start);
        const auto glob = Trim(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (!glob.empty())
            globs.push_back(glob);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return globs;
}

// Reads up to the next bar; returns false when the text ended before a bar.
bool NextField(const std::string& text, std::size_t& pos, std::string& field)
{
    const auto bar = text.find('|', pos);
    if (bar == std::string::npos) {
        field = text.substr(pos);
        pos = text.size();
        return false;
    }
    field = text.substr(pos, bar - pos);
    pos = bar + 1;
    return true;
}

}  // namespace

std::vector<FileFilter> ParseWindowsFilter(const std::string& text)
{
    std::vector<FileFilter> filters;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::string description;
        std::string pattern;
        const bool hasPattern = NextField(text, pos, description);
        if (description.empty() || !hasPattern)
            break;
        NextField(text, pos, pattern);
        // "A||" is the terminator right after a description: nothing follows.
        if (pattern.empty())
            break;
        auto globs = SplitGlobs(pattern, ";");
        if (!globs.empty())
            filters.push_back(FileFilter{description, std::move(globs)});
    }
    return filters;
}

std::string QtNameFilter(const FileFilter& filter)
{
    std::string description = Trim(filter.description);
    const auto open = description.rfind('(');
    if (!description.empty() && description.back() == ')' && open != std::string::npos) {
        const auto inner = description.substr(open + 1, description.size() - open - 2);
        if (SplitGlobs(inner, "; \t") == filter.patterns)
            description = Trim(description.substr(0, open));
    }
    std::string result = description + " (";
    for (std::size_t i = 0; i < filter.patterns.size(); ++i) {
        if (i > 0)
            result += ' ';
        result += filter.patterns[i];
    }
    return result + ")";
}

std::string NormalizeDefaultExtension(const std::string& extension)
{
    std::string ext = Trim(extension);
    if (!ext.empty() && ext.front() == '*')
        ext.erase(0, 1);
    if (!ext.empty() && ext.front() == '.')
        ext.erase(0, 1);
    if (ext.find_first_of("*?;/\\| ") != std::string::npos)
        return {};
    return ext;
}

}  // namespace platform
