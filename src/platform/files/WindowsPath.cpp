#include "platform/files/WindowsPath.h"

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

// Windows drops trailing dots and blanks from a name: "LOGOW.SYS." and
// "LOGOW.SYS " are LOGOW.SYS.
std::string_view WithoutTrailingDotsAndBlanks(std::string_view component)
{
    while (!component.empty() && (component.back() == '.' || component.back() == ' '))
        component.remove_suffix(1);
    return component;
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
        const std::string_view written = rest.substr(0, end);
        rest.remove_prefix(end < rest.size() ? end + 1 : end);
        if (written.empty() || written == ".")
            continue;
        if (written == "..") {
            if (parsed.components.empty())
                return std::nullopt;
            parsed.components.pop_back();
            continue;
        }
        // A name of nothing but dots and blanks names nothing.
        const std::string_view component = WithoutTrailingDotsAndBlanks(written);
        if (component.empty())
            return std::nullopt;
        if (!IsValidComponent(component))
            return std::nullopt;
        parsed.components.emplace_back(component);
    }
    return parsed;
}

}  // namespace platform
