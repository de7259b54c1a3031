#include "platform/win32/picture/JpegHuffmanTables.h"

namespace platform::win32 {

namespace {

constexpr std::size_t kMaxCodes = 256;
constexpr std::size_t kTableHeader = 17;  // class and id, then 16 code counts

// Walks one DHT segment as the decoder reads it: table after table while the
// declared length lasts, each header read in full even where the length
// runs out first (bytes past the end of the file count as zero).
bool SegmentFits(const std::uint8_t* data, std::size_t size, std::size_t at, long remaining)
{
    while (remaining > 0) {
        std::size_t codes = 0;
        for (std::size_t i = 1; i < kTableHeader; ++i)
            codes += at + i < size ? data[at + i] : 0;
        if (codes > kMaxCodes)
            return false;
        at += kTableHeader + codes;
        remaining -= static_cast<long>(kTableHeader + codes);
    }
    return true;
}

}  // namespace

bool JpegHuffmanTablesFit(const std::uint8_t* data, std::size_t size)
{
    // Every byte pair that reads as a DHT marker is checked, wherever it is:
    // entropy-coded data never holds one, and the decoder's own search for
    // markers may land on any of them.
    for (std::size_t at = 0; at + 3 < size; ++at) {
        if (data[at] != 0xFF || data[at + 1] != 0xC4)
            continue;
        const long length = (long{data[at + 2]} << 8) | data[at + 3];
        if (!SegmentFits(data, size, at + 4, length - 2))
            return false;
    }
    return true;
}

}  // namespace platform::win32
