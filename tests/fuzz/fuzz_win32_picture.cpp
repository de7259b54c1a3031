// The Win32 build's picture decoder (stb_image, with the DIB decoder for
// the BMPs stb refuses) on any bytes. Its path from bytes to picture is
// portable, so it is fuzzed here with the same properties and seeds as the
// Linux decoder.

#include "fuzz_picture.cpp"
