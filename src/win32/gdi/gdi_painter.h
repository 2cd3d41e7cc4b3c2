// The show drawn with GDI on the saver window: pictures are Images, the
// screen is the window's primary monitor at the layout's scale, text is
// GDI's, sounds go to the platform's player. Windows only.
#pragma once

#include "core/picture/painter.h"
#include "win32/gdi/image.h"

class ScreenCanvas;

struct Show;

// A picture or surface, or an area of the screen that text is written into.
struct Picture {
  Image image;
  ScreenCanvas* canvas = nullptr;
};

// The painter of a show; it reads the show's data folder and screen size.
Painter gdiPainter(Show* show);
