#pragma once
// Nearest-neighbour stretching, used for the main dialog's preview. An
// indexed picture stays indexed with its colour table, so palette cycling
// keeps working on the stretched copy.

#include "logo/BmpReader.h"
#include "logo/Picture.h"

#include <cstdint>
#include <string>

namespace logo {

// Returns an empty picture (width 0) when the source is empty or a target
// dimension is not positive or beyond kMaxDimension.
Picture StretchPicture(const Picture& source, std::int32_t width, std::int32_t height);

// Loads a BMP file and stretches it to exactly width x height.
LoadResult LoadBmpFileScaled(const std::string& path, std::int32_t width, std::int32_t height);

}  // namespace logo
