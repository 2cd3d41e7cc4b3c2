// The speech font on the web page: the page's bold comic font, drawn by the
// browser's canvas into a mask at the cell height the core asks and written
// into the picture as white pixels, so that the core's text rules apply to
// it as to the savers' fonts.
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/raster_painter.h"

// The font file the page loaded, for its cell; false when it is no font.
bool useFontFile(const uint8_t* file, size_t size);
// The cell of a font known only by its metrics (a system font).
bool useFontCell(int32_t unitsPerEm, int32_t ascent, int32_t total);

TextFace canvasTextFace();
