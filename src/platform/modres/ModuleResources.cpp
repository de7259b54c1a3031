#include "platform/modres/ModuleResources.h"

#include "logo/BmpReader.h"

#include <vector>

namespace platform {

namespace {

struct ModuleResourceState {
    std::vector<std::uint8_t> bytes;
    ResourceBlob blob;
};

ModuleResourceState& State()
{
    static ModuleResourceState state;
    return state;
}

bool IsResourceId(int id)
{
    return id >= 0 && id <= 0xFFFF;
}

}  // namespace

void SetModuleResources(std::span<const std::uint8_t> blob)
{
    ModuleResourceState& state = State();
    state.bytes.assign(blob.begin(), blob.end());
    state.blob = ResourceBlob(state.bytes);
}

std::span<const std::uint8_t> FindResourceData(ResourceType type, int id)
{
    if (!IsResourceId(id))
        return {};
    return State().blob.Find(type, static_cast<std::uint16_t>(id));
}

std::string LoadStringA(UINT id)
{
    if (id > 0xFFFF)
        return {};
    return State().blob.FindString(static_cast<std::uint16_t>(id)).value_or(std::string{});
}

std::optional<logo::Picture> LoadBitmapA(int id)
{
    const std::span<const std::uint8_t> file = FindResourceData(ResourceType::Bitmap, id);
    if (file.empty())
        return std::nullopt;
    return logo::DecodeBmp(file).picture;
}

}  // namespace platform
