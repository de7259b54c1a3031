#include "editor/EditorFileFilter.h"

namespace {

constexpr const char* kAllFilesEntry = "All Files (*)|*|";

}  // namespace

std::string EditorFileFilter(const std::string& tableFilter)
{
    std::string filter = tableFilter;
    // The list ends in a double bar; the new entry goes before the last one.
    if (filter.size() >= 2 && filter.compare(filter.size() - 2, 2, "||") == 0)
        filter.pop_back();
    else if (!filter.empty() && filter.back() != '|')
        filter.push_back('|');
    filter += kAllFilesEntry;
    filter.push_back('|');
    return filter;
}
