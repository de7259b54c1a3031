// The settings file as a hand edit or another program may leave it: parsed,
// searched, changed and written back.

#include "FuzzCheck.h"

#include "platform/settings/SettingsDocument.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::SettingsDocument document = platform::SettingsDocument::Parse(text);

    // Nothing is lost: the text comes back as it was, ending in a newline.
    const std::string serialized = document.Serialize();
    const std::string expected = text.empty() || text.back() == '\n' ? std::string(text) : std::string(text) + "\n";
    FUZZ_CHECK(serialized == expected);

    // Names taken from the input itself reach the odd corners.
    const std::string_view section = text.substr(0, text.size() / 3);
    const std::string_view entry = text.substr(text.size() / 3, text.size() / 3);
    document.Find(section, entry);
    if (section.empty() || entry.empty())
        return 0;
    const std::string value(text.substr(2 * (text.size() / 3)));
    document.Set(section, entry, platform::SettingValue(value));

    // What was set is what is read, also after a round trip through the text.
    const platform::SettingValue* found = document.Find(section, entry);
    FUZZ_CHECK(found != nullptr && std::get_if<std::string>(found) != nullptr);
    const platform::SettingsDocument reread = platform::SettingsDocument::Parse(document.Serialize());
    const platform::SettingValue* again = reread.Find(section, entry);
    FUZZ_CHECK(again != nullptr);
    const auto* text2 = std::get_if<std::string>(again);
    FUZZ_CHECK(text2 != nullptr && *text2 == value);
    return 0;
}
