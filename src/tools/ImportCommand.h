#pragma once
// lumva-logo import: any picture becomes a logo.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

inline constexpr std::string_view kImportUsage =
    "       lumva-logo import IN OUT [--fit|--fill|--stretch] [--fill-color R,G,B] [--reserve K] [--dither S]"
    " [--bar R,G,B]\n"
    "import: --fit         the whole picture on the 4:3 screen, bands in the fill colour (default)\n"
    "        --fill        the screen covered, the overhang cropped\n"
    "        --stretch     squeezed to 320 x 400 with no shape correction\n"
    "        --fill-color  entry 0: the bands and the screen's border (default 0,0,0)\n"
    "        --reserve K   entries at the end left unused (0..255, default 21)\n"
    "        --dither S    Floyd-Steinberg strength (0..1, default 1)\n"
    "        --bar R,G,B   the animated bar in that colour, written as an animated logo (needs K >= 21)\n";

// Writes OUT as a 129078-byte logo and prints "OUT: colors=C reserved=K"
// (and " animated=N" with --bar). Exit status: 0 done, 1 IN cannot be
// decoded or OUT cannot be written, 2 bad usage.
int RunImportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
