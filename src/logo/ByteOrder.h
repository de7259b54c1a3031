#pragma once
// Little-endian fields of Windows file formats (BMP, ICO, CUR, our resource
// blob). Callers check that the bytes are there before they read.

#include <cstddef>
#include <cstdint>
#include <span>

namespace logo {

inline std::uint16_t ReadU16LE(std::span<const std::uint8_t> bytes, std::size_t at)
{
    const std::uint16_t low = bytes[at];
    const std::uint16_t high = bytes[at + 1];
    return static_cast<std::uint16_t>(low | (high << 8));
}

inline std::uint32_t ReadU32LE(std::span<const std::uint8_t> bytes, std::size_t at)
{
    const std::uint32_t low = ReadU16LE(bytes, at);
    const std::uint32_t high = ReadU16LE(bytes, at + 2);
    return low | (high << 16);
}

inline void PutU16LE(std::uint8_t* at, std::uint16_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutU32LE(std::uint8_t* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace logo
