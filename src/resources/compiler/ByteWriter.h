#pragma once
// Little-endian output for the Windows file formats the compiler writes.

#include <cstdint>
#include <vector>

namespace res::rc {

class ByteWriter {
public:
    void U8(std::uint8_t value) { m_bytes.push_back(value); }
    void U16(std::uint16_t value)
    {
        U8(static_cast<std::uint8_t>(value & 0xFF));
        U8(static_cast<std::uint8_t>(value >> 8));
    }
    void U32(std::uint32_t value)
    {
        U16(static_cast<std::uint16_t>(value & 0xFFFF));
        U16(static_cast<std::uint16_t>(value >> 16));
    }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Append(const std::vector<std::uint8_t>& bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }

    std::size_t Size() const { return m_bytes.size(); }
    std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace res::rc
