#include "x11/show_painter.h"

#include "x11/font_freetype.h"

Painter linuxPainter(LinuxDrawing* drawing) {
  drawing->text.open = openTextFont;
  drawing->text.close = closeTextFont;
  drawing->text.measure = measureTextLine;
  drawing->text.draw = drawTextLine;
  return rasterPainter(drawing);
}
