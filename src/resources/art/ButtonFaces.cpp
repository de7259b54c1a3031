#include "resources/art/ButtonFaces.h"

#include "resources/ResourceIds.h"
#include "resources/art/PixelArt.h"

#include <array>
#include <string_view>

namespace res::art {

namespace {


// '.' is the button's light grey, so the faces sit on it seamlessly.
constexpr std::array kKey = {
    PaletteKey{'.', 192, 192, 192}, PaletteKey{'#', 0, 0, 0},       PaletteKey{'w', 255, 255, 255},
    PaletteKey{'d', 128, 128, 128}, PaletteKey{'s', 224, 224, 224}, PaletteKey{'r', 255, 0, 0},
    PaletteKey{'m', 128, 0, 0},     PaletteKey{'g', 0, 192, 0},     PaletteKey{'e', 0, 112, 0},
    PaletteKey{'b', 0, 64, 255},    PaletteKey{'n', 0, 0, 128},     PaletteKey{'y', 255, 224, 0},
    PaletteKey{'o', 255, 128, 0},   PaletteKey{'c', 0, 224, 224},   PaletteKey{'p', 224, 0, 224},
    PaletteKey{'u', 112, 0, 144},   PaletteKey{'a', 128, 176, 255}, PaletteKey{'k', 136, 80, 24},
    PaletteKey{'l', 96, 144, 255},
};

constexpr std::array<std::string_view, 16> kPipette = {
    "................",
    "...........###..",
    "..........#rrr#.",
    ".........#rrrrr#",
    ".........#rrrrr#",
    "........###rrr#.",
    ".......#####.#..",
    "......#ws###....",
    ".....#ws#.#.....",
    "....#ws#........",
    "...#wb#.........",
    "..#bb#..........",
    "..#b#...........",
    ".#b#............",
    ".##.............",
    "................",
};

constexpr std::array<std::string_view, 16> kColorChooser = {
    "................",
    ".....######.....",
    "...##ssssss##...",
    "..#ssrrssggss#..",
    ".#ssrrrrsggggs#.",
    ".#sssrrsssggss#.",
    "#sssssssssssss#.",
    "#sbbssss###sss#.",
    "#bbbbss#...#ss#.",
    "#sbbssss###sss#.",
    ".#sssssyyyssss#.",
    ".#ssssyyyyysss#.",
    "..##sssyyyss##..",
    "....########....",
    "................",
    "................",
};

constexpr std::array<std::string_view, 16> kPaintBucket = {
    "................",
    "....###.........",
    "...#...#........",
    "...#....#.......",
    "...#..##b#......",
    "...#.#wwbb#.....",
    "...##swwwbb#....",
    "...#sswwwwbb#...",
    "..#sssswwwwbb#..",
    ".#dssssswwwwbb#.",
    "..#dssssswww#bb.",
    "...#dssssww#.bb.",
    "....#dssss#..bb.",
    ".....#dss#...b..",
    "......##........",
    "................",
};

constexpr std::array<std::string_view, 16> kSwatchGrid = {
    "rrr.ooo.yyy.ggg.",
    "rrr.ooo.yyy.ggg.",
    "rrr.ooo.yyy.ggg.",
    "................",
    "ccc.bbb.uuu.ppp.",
    "ccc.bbb.uuu.ppp.",
    "ccc.bbb.uuu.ppp.",
    "................",
    "mmm.kkk.eee.nnn.",
    "mmm.kkk.eee.nnn.",
    "mmm.kkk.eee.nnn.",
    "................",
    "www.ddd.........",
    "www.ddd.........",
    "www.ddd.........",
    "................",
};

constexpr std::array<std::string_view, 16> kEye = {
    "................",
    "................",
    "................",
    ".....######.....",
    "...##wwwwww##...",
    "..#wwwnnnnwww#..",
    ".#wwwnllllnwww#.",
    "#wwwnll##lnnwww#",
    "#wwwnl#w#lnnwww#",
    ".#wwwnllllnwww#.",
    "..#wwwnnnnwww#..",
    "...##wwwwww##...",
    ".....######.....",
    "................",
    "................",
    "................",
};

constexpr std::array<std::string_view, 16> kColorQuestion = {
    "................",
    "rrr.ggg...####..",
    "rrr.ggg..##nn##.",
    "rrr.ggg..#n..nn#",
    "..........#..nn#",
    "bbb.yyy.....nn#.",
    "bbb.yyy....nn#..",
    "bbb.yyy....nn#..",
    "...........##...",
    "ccc.ppp.........",
    "ccc.ppp....nn...",
    "ccc.ppp....nn#..",
    "............##..",
    "................",
    "................",
    "................",
};

constexpr std::array<std::string_view, 16> kFilmStrip = {
    "...............",
    "...............",
    "...............",
    "###############",
    "#s##s##s##s##s#",
    "###############",
    "#nnn#nnn#nnn###",
    "#nyn#nno#rnn###",
    "#nnn#nnn#nnn###",
    "#eee#eee#eee###",
    "###############",
    "#s##s##s##s##s#",
    "###############",
    "...............",
    "...............",
    "...............",
};

constexpr std::array<std::string_view, 16> kSegmentedBar = {
    "................",
    "................",
    "................",
    "................",
    "................",
    "################",
    "#nn#bb#ll#aa#ww#",
    "#nn#bb#ll#aa#ww#",
    "#nn#bb#ll#aa#ww#",
    "#nn#bb#ll#aa#ww#",
    "################",
    "................",
    "................",
    "................",
    "................",
    "................",
};

constexpr std::array<std::string_view, 16> kUTurn = {
    "................",
    "................",
    "...eeeeeeeeee...",
    "..eggggggggggee.",
    "..eggggggggggge.",
    "...eeeeeeeeeggge",
    "............egge",
    "............egge",
    "....e.......egge",
    "...eg.......egge",
    "..eggeeeeeeeggge",
    ".eggggggggggggge",
    ".eggggggggggggee",
    "..eggeeeeeeeee..",
    "...eg...........",
    "....e...........",
};

struct FaceArt {
    int bitmapId;
    std::span<const std::string_view> rows;
};

}  // namespace

std::vector<ButtonFace> RenderButtonFaces()
{
    const std::array faces = {
        FaceArt{IDB_ANIM_PICK, kPipette},           FaceArt{IDB_ANIM_COLOR_DIALOG, kColorChooser},
        FaceArt{IDB_ANIM_PLACE, kPaintBucket},      FaceArt{IDB_ANIM_REMOVE_UNUSED, kSwatchGrid},
        FaceArt{IDB_ANIM_SHOW_PREVIEW, kEye},       FaceArt{IDB_ANIM_COLOR_CHECK, kColorQuestion},
        FaceArt{IDB_ANIM_ANIMATE, kFilmStrip},      FaceArt{IDB_ANIM_ANIMATED_BAR, kSegmentedBar},
        FaceArt{IDB_ANIM_REVERSE, kUTurn},
    };
    std::vector<ButtonFace> rendered;
    for (const FaceArt& face : faces)
        rendered.push_back({face.bitmapId, RenderPixelArt(face.rows, kKey, 8)});
    return rendered;
}

}  // namespace res::art
