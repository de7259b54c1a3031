// A shortcut the user picks in Set Logo Editor's Browse: any bytes at all.

#include "FuzzCheck.h"

#include "editor/ShellLinkReader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ShellLinkResult result = ReadShellLinkTarget(data, size);
    // Either a target or a reason, never both and never neither.
    FUZZ_CHECK(result.target.has_value() == result.error.reason.empty());
    if (result.target)
        FUZZ_CHECK(result.target->path.find('\0') == std::string::npos);
    return 0;
}
