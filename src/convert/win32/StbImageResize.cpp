// The resampler's code, compiled into the Win32 build: Debian has no MinGW
// build of libstb, and the header carries its own implementation.

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb_image_resize.h>
