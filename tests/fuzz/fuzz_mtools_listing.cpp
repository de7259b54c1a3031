// What mtools prints about a folder inside an image (mdir -a, mattrib),
// which names the entries the file calls find.

#include "FuzzCheck.h"

#include "platform/files/MtoolsListing.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t half = text.find('\f');
    const std::string_view mdir = text.substr(0, half);
    const std::string_view mattrib = half == std::string_view::npos ? std::string_view() : text.substr(half + 1);
    const auto entries = platform::MergeListings(platform::ParseMdirListing(mdir), platform::ParseMattribListing(mattrib));
    for (const platform::ImageEntry& entry : entries) {
        FUZZ_CHECK(!entry.shortName.empty());
        FUZZ_CHECK(entry.shortName != "." && entry.shortName != "..");
        FUZZ_CHECK(entry.ShownName().find('\n') == std::string::npos);
        FUZZ_CHECK(entry.isFolder == ((entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0));
        FUZZ_CHECK(entry.attributes != 0);
    }
    return 0;
}
