#pragma once
// The item's icon from its .ico bytes (all images of the icon group).

#include <QIcon>
#include <QImage>

#include <cstdint>
#include <span>

namespace host {

// One image per size: where a size comes in several colour depths, the
// deepest. A null icon when nothing decodes.
QIcon IconFromIco(std::span<const std::uint8_t> ico);

// The deepest image of exactly size x size pixels, or a null image.
QImage IcoImage(std::span<const std::uint8_t> ico, int size);

}  // namespace host
