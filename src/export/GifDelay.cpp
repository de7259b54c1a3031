// The frame delay a GIF can hold, shared by the export and the Win32
// build's refusing stand-in, which both answer for it.

#include "export/GifExport.h"

#include <algorithm>

namespace exporting {

int GifDelayCentiseconds(int periodMilliseconds)
{
    return std::clamp((periodMilliseconds + 5) / 10, 1, 65535);
}

}  // namespace exporting
