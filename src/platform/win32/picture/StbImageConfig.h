#pragma once
// stb_image as this decoder uses it, the same in every file that includes
// it: only the formats Windows has no decoder for (a format without a
// signature, such as TGA, would claim any bytes at all; stb's JPEG decoder
// reads tables a file never defined from memory it never wrote), no stdio
// (files are read through kernel32), no floating-point pictures.

#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR

#include <stb_image.h>
