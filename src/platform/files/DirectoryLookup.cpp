#include "platform/files/DirectoryLookup.h"

#include <dirent.h>
#include <sys/stat.h>

namespace platform {

namespace {

// Bytes that are not valid UTF-8 compare as themselves, apart from every
// code point.
constexpr char32_t kRawByte = 0x110000;

// The next character of UTF-8 text; a byte that starts no valid sequence
// is taken alone.
char32_t NextCharacter(std::string_view text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
    }
    if (length == 0 || text.size() - at < length) {
        ++at;
        return kRawByte + lead;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return kRawByte + lead;
        }
        value = (value << 6) | (next & 0x3F);
    }
    at += length;
    return value;
}

// Lower case as the system's Western code page (1252) folds it: ASCII,
// the Latin-1 letters and the four pairs 1252 adds (S and Z with caron,
// OE, Y with diaeresis).
char32_t Fold(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return c - U'A' + U'a';
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    switch (c) {
    case 0x160: return 0x161;  // S with caron
    case 0x152: return 0x153;  // OE
    case 0x17D: return 0x17E;  // Z with caron
    case 0x178: return 0xFF;   // Y with diaeresis
    default: return c;
    }
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    std::size_t atA = 0;
    std::size_t atB = 0;
    while (atA < a.size() && atB < b.size()) {
        if (Fold(NextCharacter(a, atA)) != Fold(NextCharacter(b, atB)))
            return false;
    }
    return atA == a.size() && atB == b.size();
}

std::optional<std::string> FindNameIgnoringCase(const std::string& folder, std::string_view name)
{
    struct stat info {};
    if (lstat(JoinHostPath(folder, name).c_str(), &info) == 0)
        return std::string(name);

    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr)
        return std::nullopt;
    std::optional<std::string> best;
    while (const dirent* entry = readdir(listing)) {
        const std::string_view candidate = entry->d_name;
        if (candidate == "." || candidate == ".." || !EqualsIgnoringCase(candidate, name))
            continue;
        if (!best || candidate < *best)
            best = std::string(candidate);
    }
    closedir(listing);
    return best;
}

std::string JoinHostPath(const std::string& folder, std::string_view name)
{
    std::string joined = folder;
    if (joined.empty() || joined.back() != '/')
        joined += '/';
    joined += name;
    return joined;
}

}  // namespace platform
