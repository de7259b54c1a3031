#include "platform/modres/ModuleResources.h"

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

std::optional<std::string> FindModuleString(std::uint16_t id)
{
    return State().blob.FindString(id);
}

}  // namespace platform
