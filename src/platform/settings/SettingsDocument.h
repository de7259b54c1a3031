#pragma once
// The settings file as a list of lines. Lines that are not ours (comments,
// hand edits, damaged text) are kept verbatim, so writing one setting loses
// nothing else. Section and entry names compare without regard to ASCII
// case, as registry names do, and keep the spelling of their first write.

#include "platform/settings/SettingValue.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

class SettingsDocument {
public:
    static SettingsDocument Parse(std::string_view text);

    // nullptr when absent; the first match wins when a hand edit repeated a name.
    const SettingValue* Find(std::string_view section, std::string_view entry) const;

    // Replaces the first matching entry, else adds it to the first section of
    // that name, else adds the section at the end.
    void Set(std::string_view section, std::string_view entry, const SettingValue& value);

    std::string Serialize() const;

private:
    enum class Kind { Verbatim, Section, Entry };
    struct Line {
        Kind kind = Kind::Verbatim;
        std::string text;     // as written
        std::string name;     // section or entry name, decoded
        SettingValue value;   // entries only
        std::size_t section = 0;  // entries: index of their section line
    };

    static std::string EntryText(std::string_view entry, const SettingValue& value);

    std::vector<Line> lines_;
};

}  // namespace platform
