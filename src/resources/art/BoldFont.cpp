#include "resources/art/BoldFont.h"

#include <array>

namespace res::art {

namespace {

using Glyph = std::array<std::string_view, kGlyphHeight>;

constexpr Glyph kP = {"######.", "#######", "##...##", "##...##", "#######",
                      "######.", "##.....", "##.....", "##.....", "##....."};
constexpr Glyph kU = {"##...##", "##...##", "##...##", "##...##", "##...##",
                      "##...##", "##...##", "##...##", "#######", ".#####."};
constexpr Glyph kR = {"......", "......", "......", "##.###", "######",
                      "###...", "##....", "##....", "##....", "##...."};
constexpr Glyph kE = {".......", ".......", ".......", ".#####.", "##...##",
                      "#######", "##.....", "##.....", "##...##", ".#####."};
constexpr Glyph kV = {".......", ".......", ".......", "##...##", "##...##",
                      ".##.##.", ".##.##.", "..###..", "..###..", "...#..."};
constexpr Glyph kI = {"##", "##", "..", "##", "##", "##", "##", "##", "##", "##"};
constexpr Glyph kW = {"..........", "..........", "..........", "##..##..##", "##..##..##",
                      "##..##..##", "##..##..##", "##.####.##", ".###..###.", ".##....##."};
constexpr Glyph kN = {"......", "......", "......", "#####.", "######",
                      "##..##", "##..##", "##..##", "##..##", "##..##"};
constexpr Glyph kA = {".......", ".......", ".......", ".#####.", ".....##",
                      ".######", "##...##", "##...##", "##..###", ".###.##"};
constexpr Glyph kL = {"##", "##", "##", "##", "##", "##", "##", "##", "##", "##"};
constexpr Glyph kB = {"##.....", "##.....", "##.....", "######.", "#######",
                      "##...##", "##...##", "##...##", "#######", "######."};

}  // namespace

std::span<const std::string_view> BoldGlyph(char letter)
{
    switch (letter) {
    case 'P': return kP;
    case 'U': return kU;
    case 'r': return kR;
    case 'e': return kE;
    case 'v': return kV;
    case 'i': return kI;
    case 'w': return kW;
    case 'n': return kN;
    case 'a': return kA;
    case 'l': return kL;
    case 'b': return kB;
    default: return {};
    }
}

}  // namespace res::art
