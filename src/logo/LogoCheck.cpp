#include "logo/LogoCheck.h"

#include "logo/BmpLayout.h"
#include "logo/BmpReader.h"
#include "logo/LogoCheckColors.h"
#include "logo/LogoFile.h"

#include <array>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace logo {

namespace {

constexpr const char* kRewrite = "lumva-logo edit FILE OUT (or Save As in Animation Options) writes the exact layout";

std::string Hex8Digits(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(value));
    return text;
}

void Add(std::vector<Finding>& findings, const char* code, std::string text,
         FindingWeight weight = FindingWeight::Problem)
{
    findings.push_back({code, std::move(text), weight});
}

std::size_t DistinctIndices(const LogoImage& picture)
{
    std::array<bool, 256> used{};
    for (const std::uint8_t index : picture.pixels)
        used[index] = true;
    std::size_t count = 0;
    for (const bool entry : used)
        count += entry ? 1 : 0;
    return count;
}

bool UsesEntryFrom(const LogoImage& picture, unsigned first)
{
    for (const std::uint8_t index : picture.pixels) {
        if (index >= first)
            return true;
    }
    return false;
}

void CheckLayout(const BmpHeader& header, std::vector<Finding>& findings)
{
    const std::uint32_t headerSize = header.headerSize;
    if (headerSize != kBmpInfoHeaderSize)
        Add(findings, "layout-header-size",
            "the info header is " + std::to_string(headerSize) + " bytes, not 40; " + kRewrite);
    if (headerSize >= kBmpInfoHeaderSize) {
        if (header.topDown)
            Add(findings, "layout-top-down",
                std::string("the rows are stored top-down (negative height), Windows expects bottom-up; ") + kRewrite);
        const std::uint32_t colorsUsed = header.colorsUsed;
        if (colorsUsed >= 1 && colorsUsed <= 255)
            Add(findings, "layout-short-table",
                "the colour table has " + std::to_string(colorsUsed) + " entries, not 256; " + kRewrite);
    }
    if (header.dataOffset != kLogoPixelOffset)
        Add(findings, "layout-pixel-offset",
            "the pixels start at offset " + std::to_string(header.dataOffset) + ", not 1078; " + kRewrite);
    if (header.compression == 0 && header.fileSize != kLogoFileSize)
        Add(findings, "layout-file-size",
            "the file is " + std::to_string(header.fileSize) + " bytes, not 129078; " + kRewrite);
}

// The marker as a foreign editor may have left it. Returns the count the
// colour check should use (0 when the marker is not a real one).
std::uint8_t CheckMarker(const BmpHeader& header, const LogoImage& picture, std::vector<Finding>& findings)
{
    const std::uint32_t important = header.colorsImportant;
    const auto marker = static_cast<std::uint8_t>(important & 0xffu);
    if (important == 256) {
        Add(findings, "foreign-count",
            "biClrImportant is 256, a colour count another editor wrote, not an animation marker (bytes 51 to 53 "
            "must be 0); save it again as a Static Logo, or as an Animated Logo with the count you mean");
        return 0;
    }
    if (important > 255) {
        Add(findings, "marker-high-bytes",
            "bytes 51 to 53 of biClrImportant are not 0 (it is " + Hex8Digits(important)
                + "); save it again as a Static Logo or an Animated Logo to clear them");
        return marker == 0 ? 0 : static_cast<std::uint8_t>(256 - marker);
    }
    if (marker == 0)
        return 0;
    // An editor that counts the colours it wrote (packed at the front of the
    // table) leaves that count here; read as a marker it cycles the empty
    // entries above them.
    const std::uint32_t colorsUsed = header.colorsUsed;
    const bool countOfTable = colorsUsed == marker;
    const bool countOfPixels = DistinctIndices(picture) == marker && !UsesEntryFrom(picture, marker);
    if (countOfTable || countOfPixels) {
        Add(findings, "foreign-count",
            "biClrImportant is " + std::to_string(marker) + ", the number of colours another editor counted; read "
                + "as a marker it makes entries " + std::to_string(marker)
                + " to 255 cycle (the screen flashes); save it as a Static Logo, or set the count in Animation "
                  "Options and save it as an Animated Logo");
        return 0;
    }
    return static_cast<std::uint8_t>(256 - marker);
}

}  // namespace

std::vector<Finding> CheckLogoBytes(std::span<const std::uint8_t> file)
{
    std::vector<Finding> findings;
    const LoadResult loaded = DecodeBmp(file);
    if (!loaded) {
        Add(findings, "unreadable",
            "not a readable bitmap (" + loaded.error.reason
                + "); save it as a 320 x 400 BMP with 256 colours in a picture editor");
        return findings;
    }
    const Picture& picture = *loaded.picture;
    if (!IsLogoImage(picture)) {
        Add(findings, "not-a-logo",
            "the picture is " + std::to_string(picture.width) + " x " + std::to_string(picture.height) + " at "
                + std::to_string(picture.bitsPerPixel)
                + " bits; Windows shows its own screen instead of anything but 320 x 400 at 8 bits: save it in that "
                  "size with 256 colours");
        return findings;
    }

    // DecodeBmp accepted the file, so its headers pass the same checks.
    const HeaderResult read = ReadBmpHeader(file.first(std::min(file.size(), kHeaderBytes)), file.size());
    if (!read) {
        Add(findings, "unreadable", "not a readable bitmap (" + read.error.reason + ")");
        return findings;
    }
    const BmpHeader& header = *read.header;
    if (header.compression != 0)
        Add(findings, "compressed",
            "the pixels are compressed (biCompression " + std::to_string(header.compression)
                + "), Windows shows only uncompressed logos; " + kRewrite);
    CheckLayout(header, findings);

    // Below a 40-byte header offset 50 is colour data, not biClrImportant:
    // the layout finding above already covers that file.
    const std::uint8_t count = header.headerSize >= kBmpInfoHeaderSize ? CheckMarker(header, picture, findings) : 0;
    CheckLogoColors(picture, count, findings);
    return findings;
}

std::vector<Finding> CheckLogoFile(const std::string& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    std::ifstream in(path, std::ios::binary);
    if (error || !in || size > kMaxFileSize) {
        const std::string why = error || !in ? "it cannot be opened" : "it is far too large for a bitmap";
        return {{"unreadable", "the file cannot be checked: " + why, FindingWeight::Problem}};
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return {{"unreadable", "the file cannot be checked: reading it failed", FindingWeight::Problem}};
    return CheckLogoBytes(bytes);
}

bool HasProblem(const std::vector<Finding>& findings)
{
    for (const Finding& finding : findings) {
        if (finding.weight == FindingWeight::Problem)
            return true;
    }
    return false;
}

}  // namespace logo
