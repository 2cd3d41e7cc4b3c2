// The Linux saver's Painter: the painter over pictures in memory, with
// FreeType text.
#pragma once

#include "core/picture/painter.h"
#include "raster/raster_painter.h"

using LinuxDrawing = RasterDrawing;

// The table for a show, its text set to the FreeType font; drawing keeps
// the state behind it.
Painter linuxPainter(LinuxDrawing* drawing);
