#include "resources/art/Placeholder.h"

#include "resources/art/BoldFont.h"
#include "resources/art/VgaPalette.h"
#include "resources/art/PixelArt.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace res::art {

namespace {

constexpr int kScale = 3;        // pixels per glyph cell
constexpr int kLetterGap = 1;    // cells between letters
constexpr int kLineGap = 3;      // cells between the two lines

int LineWidthInCells(std::string_view text)
{
    int width = 0;
    for (const char letter : text) {
        const auto glyph = BoldGlyph(letter);
        if (glyph.empty())
            throw std::invalid_argument(std::string("the bold font has no '") + letter + "'");
        width += static_cast<int>(glyph.front().size()) + kLetterGap;
    }
    return width - kLetterGap;
}

void DrawLine(logo::Picture& picture, std::string_view text, int top)
{
    int left = (picture.width - LineWidthInCells(text) * kScale) / 2;
    for (const char letter : text) {
        const auto glyph = BoldGlyph(letter);
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int column = 0; column < static_cast<int>(glyph[row].size()); ++column) {
                if (glyph[row][column] != '#')
                    continue;
                for (int dy = 0; dy < kScale; ++dy) {
                    for (int dx = 0; dx < kScale; ++dx) {
                        const int x = left + column * kScale + dx;
                        const int y = top + row * kScale + dy;
                        picture.pixels[static_cast<std::size_t>(y * picture.width + x)] = kVgaRed;
                    }
                }
            }
        }
        left += (static_cast<int>(glyph.front().size()) + kLetterGap) * kScale;
    }
}

// The darker edge: every white pixel touching a letter, diagonals included.
void EdgeLetters(logo::Picture& picture)
{
    const std::vector<std::uint8_t> letters = picture.pixels;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (letters[static_cast<std::size_t>(y * picture.width + x)] == kVgaRed)
                continue;
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy) {
                for (int dx = -1; dx <= 1 && !touches; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    touches = nx >= 0 && ny >= 0 && nx < picture.width && ny < picture.height
                              && letters[static_cast<std::size_t>(ny * picture.width + nx)] == kVgaRed;
                }
            }
            if (touches)
                picture.pixels[static_cast<std::size_t>(y * picture.width + x)] = kVgaMaroon;
        }
    }
}

}  // namespace

logo::Picture RenderPlaceholder()
{
    logo::Picture picture = MakeIndexedPicture(kPlaceholderWidth, kPlaceholderHeight, 4);
    std::copy(kVgaPalette.begin(), kVgaPalette.end(), picture.colorTable.begin());
    std::fill(picture.pixels.begin(), picture.pixels.end(), kVgaWhite);

    constexpr int textHeight = (2 * kGlyphHeight + kLineGap) * kScale;
    const int top = (kPlaceholderHeight - textHeight) / 2;
    DrawLine(picture, "Preview", top);
    DrawLine(picture, "Unavailable", top + (kGlyphHeight + kLineGap) * kScale);
    EdgeLetters(picture);
    return picture;
}

}  // namespace res::art
