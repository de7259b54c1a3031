#pragma once
// Decoding BMP files into a Picture. The reader trusts nothing in the file:
// every header field is checked before anything is read or allocated.

#include "Picture.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace logo {

enum class LoadErrorKind {
    Io,           // the file could not be opened or read
    Truncated,    // the data ends before something the headers promise
    Malformed,    // a field holds a value no valid BMP has
    Unsupported,  // valid but a variant this reader does not decode
    TooLarge,     // dimensions or sizes beyond the reader's limits
};

struct LoadError {
    LoadErrorKind kind = LoadErrorKind::Malformed;
    std::string reason;
};

// Either a picture or the reason there is none.
struct LoadResult {
    std::optional<Picture> picture;
    LoadError error;

    explicit operator bool() const { return picture.has_value(); }
};

// Limits that keep a hostile header from asking for absurd amounts of memory.
constexpr std::int32_t kMaxDimension = 32768;
constexpr std::uint64_t kMaxPixelCount = 64ull * 1024 * 1024;
constexpr std::uint64_t kMaxFileSize = 512ull * 1024 * 1024;

LoadResult DecodeBmp(std::span<const std::uint8_t> data);

// Reads the whole file (refusing files above kMaxFileSize) and decodes it.
LoadResult LoadBmpFile(const std::string& path);

}  // namespace logo
