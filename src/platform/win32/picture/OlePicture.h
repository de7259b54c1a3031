#pragma once
// JPEG and GIF pictures decoded by Windows itself (OleLoadPicture, there
// since Windows 98): the decoder the system keeps up to date, rather than
// one compiled into the module.

#include "platform/ui/PictureDecoder.h"
#include "platform/win32/picture/PictureFormat.h"

#include <cstddef>
#include <cstdint>

namespace platform::win32 {

// The picture (a GIF's first frame) in RGBA; the pixels a GIF leaves
// transparent get alpha 0. The caller has checked the size the headers
// claim against its cap: the system decoder allocates for it.
DecodedPicture DecodeWithOlePicture(const std::uint8_t* data, std::size_t size, PictureFormat format);

}  // namespace platform::win32
