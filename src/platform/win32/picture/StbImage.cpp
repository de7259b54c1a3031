// stb_image's code, compiled once for the Win32 build (Debian has no MinGW
// build of libstb).

#define STB_IMAGE_IMPLEMENTATION
#include "platform/win32/picture/StbImageConfig.h"
