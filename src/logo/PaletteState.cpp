#include "logo/PaletteState.h"

namespace logo {

PaletteView& NoView()
{
    // Stateless, so one shared instance serves every caller.
    static PaletteView view;
    return view;
}

}  // namespace logo
