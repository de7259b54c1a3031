#pragma once
// Small pictures made in memory for the decoder's tests: encoded by
// stb_image_write, or laid out byte by byte where a writer would not make
// the variant wanted.

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane::test {

using Bytes = std::vector<std::uint8_t>;

// width x height RGBA pixels, row by row.
struct TestRgba {
    int width = 0;
    int height = 0;
    Bytes rgba;
};

// Each pixel a colour of its own, so a turned or mirrored result shows.
TestRgba Gradient(int width, int height);
// A picture in four solid quadrants (red, green / blue, white), big enough
// that JPEG keeps each quadrant's colour in its middle.
TestRgba Quadrants(int width, int height);

Bytes EncodePng(const TestRgba& picture);
Bytes EncodeBmp(const TestRgba& picture);  // 24-bit, uncompressed
Bytes EncodeJpeg(const TestRgba& picture, int quality = 100);

// A JPEG with an APP1 EXIF block whose first directory holds the
// orientation tag, in big- or little-endian byte order.
Bytes WithExifOrientation(const Bytes& jpeg, int orientation, bool bigEndian = true);
// A JPEG with an APP1 block given as raw payload (after the length).
Bytes WithApp1(const Bytes& jpeg, const Bytes& payload);
// A JPEG without its segments of one marker (0xDA: the scan and its data).
Bytes WithoutJpegSegments(const Bytes& jpeg, std::uint8_t marker);
// A JPEG whose frame header claims another size than its data holds.
Bytes WithJpegFrameSize(const Bytes& jpeg, unsigned width, unsigned height);

// A 2 x 2 eight-bit RLE BMP: top row index 1, bottom row index 0 (palette
// 0 red, 1 blue).
Bytes RleBmp();
// A 2 x 1 eight-bit BMP whose colour table holds one entry (red) while its
// second pixel uses index 200, beyond the table.
Bytes ShortTableBmp();
// A GIF of one pixel with two frames: the first red, the second blue.
Bytes TwoFrameGif();
// A GIF of 2 x 1 pixels: red, then one left transparent.
Bytes TransparentGif();
// Only a PNG's signature and header: width x height, no pixel data at all.
Bytes PngHeaderOnly(std::uint32_t width, std::uint32_t height);

}  // namespace lumivane::test
