#include "platform/files/HandOverLine.h"

namespace platform {

std::string HandOverLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].find_first_of("\t\n\r") != std::string::npos)
            return {};
        line += (i == 0 ? "" : "\t") + fields[i];
    }
    return line;
}

std::vector<std::string> ReadHandOverLine(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

}  // namespace platform
