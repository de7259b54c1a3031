// The user.DOSATTRIB text another program (Wine, a hand edit) wrote.

#include "FuzzCheck.h"

#include "platform/files/DosAttributes.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const DWORD bits = platform::ParseDosAttributeText(std::string_view(reinterpret_cast<const char*>(data), size));
    // Only hidden and system live in the text.
    FUZZ_CHECK((bits & ~DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}) == 0);
    return 0;
}
