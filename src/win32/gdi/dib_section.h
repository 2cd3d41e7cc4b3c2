// 24-bit bottom-up DIB sections: the surfaces whose pixels the program
// reads and writes itself. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>

// A section of that size for dc, its pixels in *pixels. Null, with
// nothing left behind, when it cannot be made or comes without pixel memory.
HBITMAP createDibSection(HDC dc, int32_t width, int32_t height, uint8_t** pixels);
// Bytes per row of such a section: 3 x width rounded up to 4.
int32_t dibStride(int32_t width);
