#pragma once
// The generated C++ file that carries the blob into the module: one byte
// array in the section "lumva_rsrc", and res::ModuleResourceBlob() to reach it.

#include <cstdint>
#include <span>
#include <string>

namespace res::rc {

std::string BlobSourceText(std::span<const std::uint8_t> blob);

}  // namespace res::rc
