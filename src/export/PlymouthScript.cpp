#include "export/PlymouthScript.h"

#include <sstream>

namespace exporting {

std::string PlymouthThemeFile(const std::string& name, const std::string& absoluteFolder)
{
    std::ostringstream text;
    text << "[Plymouth Theme]\n"
         << "Name=" << name << "\n"
         << "Description=The Windows 9x start-up logo as its boot screen shows it " << kPlymouthThemeMarker << "\n"
         << "ModuleName=script\n"
         << "\n"
         << "[script]\n"
         << "ImageDir=" << absoluteFolder << "\n"
         << "ScriptFile=" << absoluteFolder << "/" << name << ".script\n";
    return text.str();
}

std::string PlymouthScript(const PlymouthScriptLayout& layout)
{
    std::ostringstream text;
    text << "# The Windows 9x start-up logo as its boot screen shows it " << kPlymouthThemeMarker << ":\n"
         << "# a 4:3 screen of 640 x 480 pixels times a whole number, centred, the display\n"
         << "# around it in colour 0, the palette cycle stepped every 100 ms.\n"
         << "\n"
         << "frame_count = " << layout.frames << ";\n"
         << "scale_count = " << layout.perScale.size() << ";\n";
    for (std::size_t i = 0; i < layout.perScale.size(); ++i) {
        const PlymouthCycleRect& rect = layout.perScale[i];
        text << "cycle_left[" << i + 1 << "] = " << rect.left << "; cycle_top[" << i + 1 << "] = " << rect.top
             << "; preload[" << i + 1 << "] = " << (rect.preload ? 1 : 0) << ";\n";
    }
    text << R"(
screen_width = Window.GetWidth();
screen_height = Window.GetHeight();
# The largest whole multiple that fits keeps every logo pixel sharp.
scale = Math.Min(Math.Int(screen_width / 640), Math.Int(screen_height / 480));
if (scale < 1) scale = 1;
if (scale > scale_count) scale = scale_count;
left = Window.GetX() + Math.Int((screen_width - 640 * scale) / 2);
top = Window.GetY() + Math.Int((screen_height - 480 * scale) / 2);

# A one-pixel picture stretched over the display: exactly colour 0.
border = Sprite(Image("border.png").Scale(screen_width, screen_height));
border.SetPosition(Window.GetX(), Window.GetY(), -20);
screen = Sprite(Image("screen-" + scale + ".png"));
screen.SetPosition(left, top, -10);

if (frame_count > 1) {
    if (preload[scale]) {
        for (i = 0; i < frame_count; i++)
            frames[i] = Image("cycle-" + scale + "-" + i + ".png");
    }
    cycle = Sprite();
    cycle.SetPosition(left + cycle_left[scale], top + cycle_top[scale], 0);
}

elapsed = 0;
refreshes = 0;
shown = -1;

# Plymouth reports the time since the splash started with the progress; the
# count of refreshes (50 a second) stands in until it does.
fun boot_progress_callback(duration, progress) {
    global.elapsed = duration;
}

fun refresh_callback() {
    global.refreshes = global.refreshes + 1;
    if (global.frame_count > 1) {
        time = global.elapsed;
        if (time <= 0) time = global.refreshes / 50;
        frame = Math.Int(time * 10) % global.frame_count;
        if (frame != global.shown) {
            if (global.preload[global.scale])
                global.cycle.SetImage(global.frames[frame]);
            else
                global.cycle.SetImage(Image("cycle-" + global.scale + "-" + frame + ".png"));
            global.shown = frame;
        }
    }
}

Plymouth.SetBootProgressFunction(boot_progress_callback);
Plymouth.SetRefreshFunction(refresh_callback);
)";
    return text.str();
}

}  // namespace exporting
