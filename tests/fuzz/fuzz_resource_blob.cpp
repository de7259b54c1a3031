// The module's resource section as read from a module file the host is
// pointed at: any bytes at all.

#include "FuzzCheck.h"

#include "platform/modres/ResourceBlob.h"

#include <cstdint>
#include <span>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const platform::ResourceBlob blob(bytes);
    for (const auto type : {platform::ResourceType::Cursor, platform::ResourceType::Bitmap,
                            platform::ResourceType::Icon, platform::ResourceType::String,
                            platform::ResourceType::Version}) {
        for (std::uint16_t id = 0; id < 8; ++id) {
            const std::span<const std::uint8_t> found = blob.Find(type, id);
            // A payload lies inside the blob.
            FUZZ_CHECK(found.empty() || (found.data() >= data && found.data() + found.size() <= data + size));
        }
    }
    for (std::uint16_t id = 0; id < 8; ++id)
        blob.FindString(id);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::FindVersionValue(text, "FileVersion");
    platform::FindVersionValue(text, "");
    return 0;
}
