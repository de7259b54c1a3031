#include "platform/ui/ResourceLoading.h"

#include "logo/BmpReader.h"

namespace platform {

std::string LoadStringA(UINT id)
{
    if (id > 0xFFFF)
        return {};
    return FindModuleString(static_cast<std::uint16_t>(id)).value_or(std::string{});
}

std::optional<logo::Picture> LoadBitmapA(int id)
{
    const std::span<const std::uint8_t> file = FindResourceData(ResourceType::Bitmap, id);
    if (file.empty())
        return std::nullopt;
    return logo::DecodeBmp(file).picture;
}

}  // namespace platform
