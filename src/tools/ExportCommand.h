#pragma once
// lumva-logo export and render: the cycle as GIF, WebP or PNG, and one frame.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

inline constexpr std::string_view kExportUsage =
    "       lumva-logo export IN OUT.gif|OUT.webp|OUT.png [--screen] [--period MS] [--step T]\n"
    "       lumva-logo export IN DIR --plymouth\n"
    "       lumva-logo render IN OUT.png [--step T] [--screen]\n"
    "export: --screen      frames as the boot screen shows them (640 x 480, 6-bit colours)\n"
    "        --period MS   time per frame of a GIF or WebP (10..655350, default 100)\n"
    "        --step T      the tick a PNG shows (0..1000000, default 0)\n"
    "        --plymouth    a Plymouth boot splash theme in DIR, named after DIR\n";

// arguments: everything after the command word. Exit status as RunLogoCommand.
int RunExportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunRenderCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
