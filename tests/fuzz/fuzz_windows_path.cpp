// Windows paths as the settings file (the editor path) or a user hands them
// over, and the case-insensitive comparison of names.

#include "FuzzCheck.h"

#include "platform/files/DirectoryLookup.h"
#include "platform/files/WindowsPath.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto parsed = platform::ParseWindowsPath(text)) {
        FUZZ_CHECK(parsed->drive >= 'A' && parsed->drive <= 'Z');
        for (const std::string& component : parsed->components) {
            FUZZ_CHECK(!component.empty() && component != "." && component != "..");
            FUZZ_CHECK(component.back() != '.' && component.back() != ' ');
            FUZZ_CHECK(component.find_first_of("\\/") == std::string::npos);
        }
    }
    const std::string_view first = text.substr(0, size / 2);
    const std::string_view second = text.substr(size / 2);
    const bool equal = platform::EqualsIgnoringCase(first, second);
    FUZZ_CHECK(equal == platform::EqualsIgnoringCase(second, first));
    FUZZ_CHECK(platform::EqualsIgnoringCase(first, first));
    return 0;
}
