#pragma once
// Decoding BMP files into a Picture. The reader trusts nothing in the file:
// every header field is checked before anything is read or allocated.

#include "logo/Picture.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

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
// The largest picture the program shows is a full-screen system file; a few
// megapixels leave ample room for any default picture or template.
constexpr std::int32_t kMaxDimension = 32768;
constexpr std::uint64_t kMaxPixelCount = 4ull * 1024 * 1024;
constexpr std::uint64_t kMaxFileSize = 64ull * 1024 * 1024;
// Icon and cursor images are at most this many pixels a side.
constexpr std::int32_t kMaxIconSide = 256;

// What the headers of a valid BMP say, without a pixel decoded.
struct BmpHeader {
    std::uint32_t headerSize = 0;   // 12, 16, 40, 52, 56, 64, 108 or 124
    std::int32_t width = 0;
    std::int32_t height = 0;        // rows, always positive
    bool topDown = false;           // a negative biHeight in the file
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;  // biCompression (0 for the headers without one)
    std::uint32_t colorsUsed = 0;   // biClrUsed as written
    std::uint32_t colorsImportant = 0;  // biClrImportant as written (0 for the headers without one)
    std::uint32_t dataOffset = 0;   // bfOffBits
    std::uint64_t fileSize = 0;
};

struct HeaderResult {
    std::optional<BmpHeader> header;
    LoadError error;

    explicit operator bool() const { return header.has_value(); }
};

// The headers need at most this many bytes from the start of the file.
constexpr std::size_t kHeaderBytes = 256;

// Checks the headers exactly as DecodeBmp does, refusing with the same
// reasons, from the first min(fileSize, kHeaderBytes) bytes of a file of
// fileSize bytes. The pixel data is not read, so an RLE stream that breaks
// off is only found by decoding; the pixel-count limit of a decode does not
// apply.
HeaderResult ReadBmpHeader(std::span<const std::uint8_t> start, std::uint64_t fileSize);

// The same for a file, which is opened only when it is a regular file.
HeaderResult ReadBmpFileHeader(const std::string& path);

LoadResult DecodeBmp(std::span<const std::uint8_t> data);

// Reads the whole file (refusing files above kMaxFileSize and anything that
// is not a regular file) and decodes it.
LoadResult LoadBmpFile(const std::string& path);

// The image of an icon or cursor: the colour bits and the AND mask of a
// DIB whose info header comes first and whose height counts both.
struct IconImage {
    Picture picture;                  // the colour bits, rows top-down
    std::vector<std::uint8_t> alpha;  // 32-bit images: each pixel's fourth byte; empty otherwise
    std::vector<std::uint8_t> mask;   // 1 where the AND mask is set, rows top-down; empty when
                                      // a 32-bit image leaves the mask out
};

struct IconResult {
    std::optional<IconImage> image;
    LoadError error;

    explicit operator bool() const { return image.has_value(); }
};

// Decodes the DIB of one icon or cursor directory entry, checked as strictly
// as a BMP file and against the size the entry gives (1 to kMaxIconSide a
// side). Only uncompressed images are read.
IconResult DecodeIconDib(std::span<const std::uint8_t> dib, std::int32_t entryWidth, std::int32_t entryHeight);

}  // namespace logo
