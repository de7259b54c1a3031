#include "WindowsPath.h"

namespace platform {

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsValidComponent(std::string_view component)
{
    for (const char c : component) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return false;
        switch (c) {
        case '<': case '>': case ':': case '"': case '|': case '?': case '*':
            return false;
        default:
            break;
        }
    }
    return true;
}

}  // namespace

bool IsHostPath(std::string_view path)
{
    return !path.empty() && path.front() == '/';
}

std::optional<WindowsPath> ParseWindowsPath(std::string_view path)
{
    if (path.size() < 2 || path[1] != ':' || !IsDriveLetter(path[0]))
        return std::nullopt;
    std::string_view rest = path.substr(2);
    // "C:name" means "relative to the current folder of C:", which the applet never uses.
    if (!rest.empty() && !IsSeparator(rest.front()))
        return std::nullopt;

    WindowsPath parsed;
    parsed.drive = static_cast<char>(path[0] >= 'a' ? path[0] - 'a' + 'A' : path[0]);
    while (!rest.empty()) {
        std::size_t end = 0;
        while (end < rest.size() && !IsSeparator(rest[end]))
            ++end;
        const std::string_view component = rest.substr(0, end);
        rest.remove_prefix(end < rest.size() ? end + 1 : end);
        if (component.empty() || component == ".")
            continue;
        if (component == "..") {
            if (parsed.components.empty())
                return std::nullopt;
            parsed.components.pop_back();
            continue;
        }
        if (!IsValidComponent(component))
            return std::nullopt;
        parsed.components.emplace_back(component);
    }
    return parsed;
}

}  // namespace platform
