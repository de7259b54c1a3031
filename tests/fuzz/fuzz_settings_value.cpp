// One value of the settings file: decoded, encoded again, decoded the same.

#include "FuzzCheck.h"

#include "platform/settings/SettingsText.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const platform::SettingValue value = platform::DecodeValue(text);
    if (!std::holds_alternative<std::monostate>(value))
        FUZZ_CHECK(platform::DecodeValue(platform::EncodeValue(value)) == value);
    // A name survives its encoding whatever bytes it holds.
    FUZZ_CHECK(platform::DecodeText(platform::EncodeName(text)) == text);
    return 0;
}
