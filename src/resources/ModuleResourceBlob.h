#pragma once
// The resource blob compiled into this module (generated at build time by
// the resource compiler). The module hands it to platform::SetModuleResources
// at attach; the same bytes sit in the file's section "lumva_rsrc".

#include <cstdint>
#include <span>

namespace res {

std::span<const std::uint8_t> ModuleResourceBlob();

}  // namespace res
