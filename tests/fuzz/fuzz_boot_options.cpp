// An MSDOS.SYS another program wrote (Windows Setup, a hand edit, the DOS
// kernel): read as options, then turned on and off.

#include "FuzzCheck.h"

#include "platform/files/BootOptions.h"

#include <algorithm>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const platform::BootOptions options = platform::BootOptions::Parse(bytes);
    static_cast<void>(options.Value("Paths", "WinDir"));
    static_cast<void>(options.IsOff("Options", "BootGUI"));
    for (const bool on : {false, true}) {
        const std::string changed = options.WithLogo(on);
        if (options.Kind() == platform::BootOptionsKind::DosBinary) {
            FUZZ_CHECK(changed == bytes);
            continue;
        }
        const platform::BootOptions again = platform::BootOptions::Parse(changed);
        FUZZ_CHECK(again.Kind() == platform::BootOptionsKind::Text);
        FUZZ_CHECK(again.IsOff("Options", "Logo") == !on);
        // Asking again changes nothing, and the file never shrinks below
        // what it kept of its 1024 bytes.
        FUZZ_CHECK(again.WithLogo(on) == changed);
        FUZZ_CHECK(changed.size() >= std::min(bytes.size(), platform::kBootOptionsPaddedSize));
    }
    return 0;
}
