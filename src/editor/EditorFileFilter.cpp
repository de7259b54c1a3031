#include "editor/EditorFileFilter.h"

std::string EditorFileFilter(const std::string& tableFilter, const std::string& allFilesEntry)
{
    std::string filter = tableFilter;
    // The list ends in a double bar; the new entry goes before the last one.
    if (filter.size() >= 2 && filter.compare(filter.size() - 2, 2, "||") == 0)
        filter.pop_back();
    else if (!filter.empty() && filter.back() != '|')
        filter.push_back('|');
    filter += allFilesEntry;
    filter.push_back('|');
    return filter;
}
